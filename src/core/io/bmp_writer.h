#pragma once
// Windows bitmaps as the buttons are written: 24 bits per pixel, a 14-byte file header and a
// 40-byte information header, rows bottom-up, each padded to 4 bytes.
#include "core/io/result.h"

#include <QByteArray>
#include <QImage>

namespace qv {

// The file's bytes, or why the picture cannot be a bitmap file (it would pass 4 GiB, which the
// header's 32-bit size field cannot state).
Result<QByteArray> encode_bmp24(const QImage& image);

// The size of the whole file for a picture of this size, headers included.
qint64 bmp24_file_size(int width, int height);

}  // namespace qv
