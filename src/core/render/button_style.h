#pragma once
// Everything the drawing reads, in the form the window holds it: the numbers the user types or
// the program writes as captions stay text here and are converted at the moment of drawing.
#include <QString>

#include <cstdint>
#include <limits>

namespace qv {

using Flag = std::int16_t;  // the window's truth values
inline constexpr Flag kTrue = -1;
inline constexpr Flag kFalse = 0;
inline constexpr bool is_on(Flag f) {
    return f == kTrue;
}

// The ranges of the settings the window writes as whole numbers: its steppers stop at them, and
// style files and quorvane-batch refuse anything outside.
inline constexpr int kMinFontSize = 5;
inline constexpr int kMaxFontSize = 100;
inline constexpr int kMaxMargin = 200;
// A colour part is typed freely, but its face colour must fit a 16-bit conversion to draw.
inline constexpr int kMinColourPart = std::numeric_limits<std::int16_t>::min();
inline constexpr int kMaxColourPart = std::numeric_limits<std::int16_t>::max();

// The program's version, as the build names it (the project's version in CMakeLists.txt).
inline constexpr char kVersion[] = QUORVANE_VERSION;

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
