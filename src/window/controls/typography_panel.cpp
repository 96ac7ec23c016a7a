#include "window/controls/panel_widths.h"
#include "window/form_main.h"
#include "window/skin/skin_layout.h"

#include <vector>

namespace {

// Sets each width in turn, yielding after every one but the last so that the window is drawn at
// each step. Clicks handled during a yield may run a whole animation of their own; this one then
// carries on from its own next width, so the last animation to finish decides the width.
void animate(Form_Main& form, const std::vector<int>& widths) {
    for (std::size_t i = 0; i + 1 < widths.size(); ++i) {
        form.set_width_twips(widths[i]);
        Form_Main::process_events();
    }
    if (!widths.empty()) form.set_width_twips(widths.back());
}

}  // namespace

void Form_Main::wire_typography_panel() {
    connect(Image_typotruetype, &qv::HotSpot::Click, this, &Form_Main::Image_typotruetype_Click);
    connect(Image_typobitmap, &qv::HotSpot::Click, this, &Form_Main::Image_typobitmap_Click);
}

// TrueType opens the panel, or closes it when fully open; it stays selected either way.
void Form_Main::Image_typotruetype_Click() {
    latch_etat({{Image_typotruetype, kPressed}, {Image_typobitmap, kNormal}});
    process_events();
    if (width_twips() == qv::layout::kExpandedTwips)
        collapse();
    else
        expand();
}

// Bitmap typography has no panel of its own: it only closes the TrueType one.
void Form_Main::Image_typobitmap_Click() {
    latch_etat({{Image_typotruetype, kNormal}, {Image_typobitmap, kPressed}});
    process_events();
    if (width_twips() == qv::layout::kExpandedTwips) collapse();
}

// The close box leaves the source buttons' looks as they are.
void Form_Main::Image_typoback_MouseUp(int, int, double, double) {
    collapse();
}

int Form_Main::width_twips() const {
    return width() * qv::layout::kTwipsPerPixel;
}

// Only the right edge moves: the left edge and the fixed height stay.
void Form_Main::set_width_twips(int twips) {
    resize(twips / qv::layout::kTwipsPerPixel, height());
    if (on_width_set) on_width_set(twips);
}

void Form_Main::collapse() {
    animate(*this, qv::collapse_widths());
}
void Form_Main::expand() {
    animate(*this, qv::expand_widths(width_twips()));
}
