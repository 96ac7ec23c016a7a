#pragma once
// The looks a set is made in: the main look and, when asked for, the hover and pressed looks,
// each with its own style and picture, written beside the main button under a suffix.
#include "core/render/button_style.h"
#include "core/render/canvas.h"
#include "core/render/label_placement.h"

#include <QImage>
#include <QString>

#include <cstdint>

namespace qv::cli {

struct ButtonLook {
    ButtonStyle style;   // shared by every button; label_text is set per label
    Canvas background;   // the picture as the window shows it, or the blank canvas
    QImage transparent;  // the picture with its alpha channel, when the output keeps it
    QString suffix;      // after the file name: empty for the main look
    LabelLayout layout;  // how its labels are made to fit
    // A state look whose button takes the main look's width for each label (the main look
    // stretches): its layout's stretch gives only the caps and the mode.
    bool main_width = false;

    // Whether a label's placement must be decided before it is drawn.
    bool places() const { return layout.adjusts() || main_width; }
};

// Where `style`'s label goes on `look`, measured on `scratch` (any canvas). `main_width` is the
// main look's button width for the label, taken when the look follows it.
Placement place_on_look(Canvas& scratch, const ButtonLook& look, const ButtonStyle& style,
                        int main_width);

// A label's placement as kept for a whole list: the lines as the lengths of the label's two ends.
struct PlacedLabel {
    std::int32_t first = -1;  // -1: one line, the label; else the first line's length
    std::int32_t second = 0;  // the second line's length, taken from the label's end
    std::int32_t width = 0;
    std::int16_t size = 0;
    std::int16_t style_size = 0;
    bool fits = true;
};

PlacedLabel packed(const Placement& placement);
Placement unpacked(const PlacedLabel& placed, const QString& label);

}  // namespace qv::cli
