#include "window/form_main.h"

namespace {

// Every switch has one shape: flip the flag between the window's two truth values, latch the
// look that shows it (pressed while on), redraw, and let the window repaint.
void flip(Form_Main& form, qv::Flag& flag, qv::HotSpot* spot) {
    flag = qv::is_on(flag) ? qv::kFalse : qv::kTrue;
    form.latch_etat({{spot, qv::is_on(flag) ? Form_Main::kPressed : Form_Main::kNormal}});
    form.draw_preview();
    Form_Main::process_events();
}

}  // namespace

void Form_Main::wire_style_switches() {
    connect(Image_effet1, &qv::HotSpot::Click, this, &Form_Main::Image_effet1_Click);
    connect(Image_effet2, &qv::HotSpot::Click, this, &Form_Main::Image_effet2_Click);
    connect(Image_effet3, &qv::HotSpot::Click, this, &Form_Main::Image_effet3_Click);
    connect(Image2, &qv::HotSpot::Click, this, &Form_Main::Image2_Click);
    connect(Image3, &qv::HotSpot::Click, this, &Form_Main::Image3_Click);
    connect(Image4, &qv::HotSpot::Click, this, &Form_Main::Image4_Click);
}

void Form_Main::Image_effet1_Click() {
    flip(*this, effet1_on, Image_effet1);
}
void Form_Main::Image_effet2_Click() {
    flip(*this, effet2_on, Image_effet2);
}
void Form_Main::Image_effet3_Click() {
    flip(*this, effet3_on, Image_effet3);
}
void Form_Main::Image2_Click() {
    flip(*this, font_italic, Image2);
}
void Form_Main::Image3_Click() {
    flip(*this, font_underline, Image3);
}
void Form_Main::Image4_Click() {
    flip(*this, font_bold, Image4);
}
