#include "core/render/button_style.h"
#include "core/render/style_conversions.h"
#include "core/render/text_renderer.h"
#include "window/controls/stepper_caption.h"
#include "window/controls/text_drag.h"
#include "window/form_main.h"
#include "window/mouse_bits.h"

#include <QLabel>

namespace {

// The margin and size captions are both display and store: read the number back, move it when
// the limit allows and write it back in plain decimal.
void step_caption(QLabel* caption, int delta, double limit) {
    const double value = qv::leading_number(caption->text());
    const double next = qv::stepped(value, delta, limit);
    if (next != value) caption->setText(qv::plain_decimal(next));
}

constexpr double kMarginMin = 0;
constexpr double kMarginMax = qv::kMaxMargin;
constexpr double kSizeMin = qv::kMinFontSize;
constexpr double kSizeMax = qv::kMaxFontSize;

}  // namespace

void Form_Main::wire_layout_controls() {
    connect(Image_left, &qv::HotSpot::Click, this, &Form_Main::Image_left_Click);
    connect(Image_center, &qv::HotSpot::Click, this, &Form_Main::Image_center_Click);
    connect(Image_right, &qv::HotSpot::Click, this, &Form_Main::Image_right_Click);
    connect(Image_leftmoins, &qv::HotSpot::Click, this, &Form_Main::Image_leftmoins_Click);
    connect(Image_leftplus, &qv::HotSpot::Click, this, &Form_Main::Image_leftplus_Click);
    connect(Image_rightmoins, &qv::HotSpot::Click, this, &Form_Main::Image_rightmoins_Click);
    connect(Image_rightplus, &qv::HotSpot::Click, this, &Form_Main::Image_rightplus_Click);
    connect(Image_sizemoins, &qv::HotSpot::Click, this, &Form_Main::Image_sizemoins_Click);
    connect(Image_sizeplus, &qv::HotSpot::Click, this, &Form_Main::Image_sizeplus_Click);
    connect(Picture_previewscroll, &qv::CanvasView::MouseDown, this,
            &Form_Main::Picture_previewscroll_MouseDown);
    connect(Picture_previewscroll, &qv::CanvasView::MouseMove, this,
            &Form_Main::Picture_previewscroll_MouseMove);
}

// The alignment group always repaints all three looks, the chosen one selected.
void Form_Main::Image_left_Click() {
    align_mode = qv::kAlignLeft;
    latch_etat({{Image_center, kNormal}, {Image_right, kNormal}, {Image_left, kPressed}});
    draw_preview();
}

void Form_Main::Image_center_Click() {
    align_mode = qv::kAlignCentre;
    latch_etat({{Image_center, kPressed}, {Image_right, kNormal}, {Image_left, kNormal}});
    draw_preview();
}

void Form_Main::Image_right_Click() {
    align_mode = qv::kAlignRight;
    latch_etat({{Image_center, kNormal}, {Image_right, kPressed}, {Image_left, kNormal}});
    draw_preview();
}

// Steppers redraw also at their limit.
void Form_Main::Image_leftmoins_Click() {
    step_caption(Label_alignleft, -1, kMarginMin);
    draw_preview();
}

void Form_Main::Image_leftplus_Click() {
    step_caption(Label_alignleft, +1, kMarginMax);
    draw_preview();
}

void Form_Main::Image_rightmoins_Click() {
    step_caption(Label_alignright, -1, kMarginMin);
    draw_preview();
}

void Form_Main::Image_rightplus_Click() {
    step_caption(Label_alignright, +1, kMarginMax);
    draw_preview();
}

void Form_Main::Image_sizemoins_Click() {
    step_caption(Label_size, -1, kSizeMin);
    draw_preview();
}

void Form_Main::Image_sizeplus_Click() {
    step_caption(Label_size, +1, kSizeMax);
    draw_preview();
}

// Dragging with the left button alone puts the middle of the text line under the pointer. The
// canvas is hidden until a background is loaded; a hidden canvas gets no mouse, and direct calls
// are held to the same rule. The yield lets the window repaint before the next move is handled.
void Form_Main::Picture_previewscroll_MouseDown(int button, int /*shift*/, double /*x*/, double y) {
    if (button != qv::kLeftButton || !Picture_previewscroll->isVisible()) return;
    // The canvas font is the label font the last drawing set.
    text_y = qv::drag_text_y(y, qv::line_height(Picture_previewscroll->canvas()));
    draw_preview();
    process_events();
}

void Form_Main::Picture_previewscroll_MouseMove(int button, int shift, double x, double y) {
    Picture_previewscroll_MouseDown(button, shift, x, y);
}
