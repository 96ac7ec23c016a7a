#pragma once
// Where a label was drawn, read from the pixels: whatever differs from the same picture without it.
#include <QImage>
#include <QRect>

namespace ink {

// The bounding box of the pixels where `button` differs from `under` (of at least its size).
inline QRect box(const QImage& button, const QImage& under) {
    QRect found;
    for (int y = 0; y < button.height(); ++y)
        for (int x = 0; x < button.width(); ++x)
            if (button.pixel(x, y) != under.pixel(x, y)) found |= QRect(x, y, 1, 1);
    return found;
}

}  // namespace ink
