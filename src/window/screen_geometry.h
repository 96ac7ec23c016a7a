#pragma once
// The arithmetic of start-up and window placement, apart from any window so that it can be
// checked on its own.
#include <QPoint>
#include <QSize>

namespace qv {

// The catalogue gauge is full at the width of its bar picture.
inline constexpr int kGaugeFullWidth = 173;

// Width of the catalogue gauge after font `index` (from 0) of `count`, in pixels: index times
// 173 / (count - 1), in single precision, with count - 1 held as a 16-bit integer as the screen
// reports it. With one font there is no step: the gauge is full at once.
float gauge_width(int index, int count);

// A single-precision pixel value as whole pixels, a half going to the even neighbour; a value
// that is not a number gives 0.
int whole_pixels(float value);

// Top-left corner that centres a window on the screen, in pixels. Worked out in twips in single
// precision (screen / 2 - window / 2), as window positions are kept, then taken to whole pixels.
QPoint centred_origin(QSize screen, QSize window);

}  // namespace qv
