#pragma once
// Background pictures: anything Qt can decode; transparent pixels are filled with the canvas
// colour, except for formats that keep them.
#include "core/io/result.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

#include <cstdint>

namespace qv {

// Decodes the picture at `path` at 96 dpi, or says why it could not: ARGB32 (not premultiplied,
// so every pixel keeps its colour) when the picture has an alpha channel, otherwise RGB32.
Result<QImage> decode_picture(const QString& path);

// The picture over `fill`, opaque RGB32 at 96 dpi, as the window shows it.
QImage flattened(const QImage& picture, QColor fill);

// decode_picture, then flattened.
Result<QImage> load_picture(const QString& path, QColor fill);

// The memory a background picture may take once decoded. Each program sets it as Qt's image
// allocation limit once at start-up (QImageReader::setAllocationLimit), which load_picture then
// reads: the loader itself never changes what the whole process allows.
inline constexpr int kPictureMemoryMiB = 256;

// Where a canvas of `picture` size sits in its frame: centred, halves dropped towards the top
// left, so a picture larger than the frame is cropped evenly.
QPoint canvas_position(QSize frame, QSize picture);

// The text line centred vertically on a picture: floor(h/2 - line/2) as 16 bits.
std::int16_t centred_text_y(int picture_height, int line_height);

}  // namespace qv
