#pragma once
// The skin's own small bitmap font. The captions are drawn pixel by pixel from this table rather
// than through the system's font engine, so they are crisp at 7 pixels and come out identical on
// every machine that runs the generator.
#include <QImage>
#include <QPoint>
#include <QRgb>
#include <string_view>

namespace qv::art {

inline constexpr int kFontAscent = 7;   // rows from the top of a capital to the baseline row
inline constexpr int kFontDescent = 2;  // rows below the baseline row (g, j, p, q, y)
inline constexpr int kFontHeight = kFontAscent + kFontDescent;
inline constexpr int kXHeight = 5;

enum class Weight { Regular, Bold };

// Width in pixels of `text` as drawn, without trailing spacing.
int text_width(std::string_view text, Weight weight = Weight::Regular);

// Draws `text` with the top of its capitals at `top_left`; characters missing from the table
// are drawn as a box so that a typo in a caption shows at once.
void draw_text(QImage& image, QPoint top_left, std::string_view text, QRgb colour,
               Weight weight = Weight::Regular);

// Whether every character of `text` has a glyph.
bool has_glyphs(std::string_view text);

}  // namespace qv::art
