#pragma once
// The splash window's gauge while the font catalogue fills.
namespace qv {

// The catalogue gauge is full at the width of its bar picture.
inline constexpr int kGaugeFullWidth = 173;

// Width of the catalogue gauge after font `index` (from 0) of `count`, in pixels: index times
// 173 / (count - 1), in single precision, with count - 1 held as a 16-bit integer as the screen
// reports it. With one font there is no step: the gauge is full at once.
float gauge_width(int index, int count);

}  // namespace qv
