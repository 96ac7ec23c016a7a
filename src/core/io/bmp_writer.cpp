#include "core/io/bmp_writer.h"

#include <cstdint>
#include <limits>

namespace qv {
namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kHeadersSize = kFileHeaderSize + kInfoHeaderSize;
constexpr std::int32_t kPixelsPerMetre = 3780;  // 96 dots per inch

void put16(char*& p, std::uint16_t v) {
    *p++ = char(v & 0xFF);
    *p++ = char(v >> 8);
}

void put32(char*& p, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) *p++ = char((v >> shift) & 0xFF);
}

// Bytes per pixel row in the file: 3 per pixel, padded to a multiple of 4.
qint64 row_size(int width) {
    return (qint64(width) * 3 + 3) & ~qint64(3);
}

}  // namespace

qint64 bmp24_file_size(int width, int height) {
    return kHeadersSize + row_size(width) * height;
}

Result<QByteArray> encode_bmp24(const QImage& image) {
    const qint64 file_size = bmp24_file_size(image.width(), image.height());
    if (file_size > qint64(std::numeric_limits<std::uint32_t>::max()))
        return Failure{QStringLiteral("the picture is %1 by %2 pixels, too large for a bitmap file")
                           .arg(image.width())
                           .arg(image.height())};

    // RGB32 and premultiplied ARGB32 hold the colour bytes as they are written; anything else is
    // converted once (transparent pixels then come out over black).
    const bool direct = image.format() == QImage::Format_RGB32 ||
                        image.format() == QImage::Format_ARGB32_Premultiplied;
    const QImage converted = direct ? QImage() : image.convertToFormat(QImage::Format_RGB32);
    const QImage& src = direct ? image : converted;

    const int width = src.width();
    const int height = src.height();
    const qint64 row_bytes = row_size(width);
    const auto pixel_bytes = std::uint32_t(file_size - kHeadersSize);

    QByteArray out(qsizetype(file_size), Qt::Uninitialized);
    char* p = out.data();

    *p++ = 'B';
    *p++ = 'M';
    put32(p, std::uint32_t(file_size));
    put32(p, 0);             // two reserved words
    put32(p, kHeadersSize);  // offset of the pixels

    put32(p, kInfoHeaderSize);
    put32(p, std::uint32_t(width));
    put32(p, std::uint32_t(height));  // positive: rows bottom-up
    put16(p, 1);                      // planes
    put16(p, 24);                     // bits per pixel
    put32(p, 0);                      // BI_RGB, uncompressed
    put32(p, pixel_bytes);
    put32(p, kPixelsPerMetre);
    put32(p, kPixelsPerMetre);
    put32(p, 0);  // colours used: no table
    put32(p, 0);  // important colours

    const qint64 padding = row_bytes - qint64(width) * 3;
    for (int y = height - 1; y >= 0; --y) {
        const auto* px = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        auto* d = reinterpret_cast<unsigned char*>(p);
        for (int x = 0; x < width; ++x) {
            const QRgb c = px[x];
            d[0] = static_cast<unsigned char>(c);        // blue
            d[1] = static_cast<unsigned char>(c >> 8);   // green
            d[2] = static_cast<unsigned char>(c >> 16);  // red
            d += 3;
        }
        for (qint64 k = 0; k < padding; ++k) *d++ = 0;
        p += row_bytes;
    }
    return out;
}

}  // namespace qv
