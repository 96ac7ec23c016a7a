#pragma once
// The conversions the drawing applies to the style's texts, each a small pure function.
#include <QStringView>

#include <cstdint>
#include <optional>

namespace qv {

// Halves go to the even neighbour (2.5 -> 2, 3.5 -> 4).
double round_half_even(double v);

// A number is: optional blanks, optional sign, digits with an optional point and fraction
// (".5" and "5." count), an optional exponent, optional blanks. Anything else is not.
std::optional<double> parse_number(QStringView text);

// Rounded half to even into 16 bits; nullopt when not a number or outside -32768..32767.
std::optional<std::int16_t> to_int16(QStringView text);

// Face colour component: to_int16, then above 255 counts as 255 and below 0 as 0.
std::optional<int> face_component(QStringView text);
// 3D shades: the number minus (dark) or plus (light) 100, held within 0..255, rounded half to even.
std::optional<int> dark_shade(QStringView text);
std::optional<int> light_shade(QStringView text);

// Margin captions: the leading decimal number of the text, 0 when there is none. Never fails.
double leading_number(QStringView text);

// Size caption to single-precision points; nullopt when the caption is not a number.
std::optional<float> font_size_points(QStringView text);

}  // namespace qv
