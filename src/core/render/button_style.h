#pragma once
// Everything the drawing reads, in the form the window holds it: the numbers the user types or
// the program writes as captions stay text here and are converted at the moment of drawing.
#include <QString>

#include <cstdint>

namespace qv {

using Flag = std::int16_t;  // the window's truth values
inline constexpr Flag kTrue = -1;
inline constexpr Flag kFalse = 0;
inline constexpr bool is_on(Flag f) {
    return f == kTrue;
}

enum AlignMode : std::int16_t { kAlignLeft = 0, kAlignCentre = 1, kAlignRight = 2 };

struct ButtonStyle {
    QString label_text = QStringLiteral("Quorvane");
    QString font_name;                         // empty: the default sans face
    QString font_size = QStringLiteral("10");  // points, as the size caption shows it
    Flag font_bold = kFalse;
    Flag font_italic = kFalse;
    Flag font_underline = kFalse;
    QString color_r = QStringLiteral("255");
    QString color_g = QStringLiteral("255");
    QString color_b = QStringLiteral("255");
    std::int16_t align_mode = kAlignCentre;
    QString margin_left = QStringLiteral("0");  // pixels, as the margin caption shows it
    QString margin_right = QStringLiteral("0");
    std::int16_t text_y = 0;  // top of the text line on the button, may lie outside it
    Flag effet1_on = kFalse;  // shadow
    Flag effet2_on = kFalse;  // black outline
    Flag effet3_on = kFalse;  // 3D effect
};

}  // namespace qv
