#pragma once
// Pixels on the screen: rounding to whole pixels and centring a window, apart from any window so
// that they can be checked on their own.
#include <QPoint>
#include <QSize>

namespace qv {

// A single-precision pixel value as whole pixels, a half going to the even neighbour; a value
// that is not a number gives 0.
int whole_pixels(float value);

// Top-left corner that centres a window on the screen, in pixels. Worked out in twips in single
// precision (screen / 2 - window / 2), as window positions are kept, then taken to whole pixels.
QPoint centred_origin(QSize screen, QSize window);

}  // namespace qv
