#pragma once
// Windows bitmaps as the buttons are written: 24 bits per pixel, a 14-byte file header and a
// 40-byte information header, rows bottom-up, each padded to 4 bytes.
#include <QByteArray>
#include <QImage>

namespace qv {

QByteArray encode_bmp24(const QImage& image);

// Appends to `out` (reusing its capacity) instead of allocating: the batch encodes thousands.
// Truncate `out` to 0 (not clear(), which frees it) before each button to reuse the buffer.
void encode_bmp24_into(const QImage& image, QByteArray& out);

// Bytes per pixel row in the file: 3 per pixel, padded to a multiple of 4.
int bmp24_row_size(int width);

}  // namespace qv
