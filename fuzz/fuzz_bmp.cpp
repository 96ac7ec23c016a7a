// A bitmap written for any picture reads back through Qt as the same pixels.
#include "core/io/bmp_writer.h"
#include "fuzz_support.h"

#include <QImage>

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int width = 1 + data[0] % 64;
    const int height = 1 + data[1] % 64;
    QImage image(width, height, QImage::Format_RGB32);
    const std::uint8_t* pixels = data + 2;
    const std::size_t available = size - 2;
    std::size_t at = 0;
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            std::uint8_t rgb[3] = {0, 0, 0};
            for (std::uint8_t& c : rgb) c = available ? pixels[at++ % available] : 0;
            line[x] = qRgb(rgb[0], rgb[1], rgb[2]);
        }
    }

    const qv::Result<QByteArray> encoded = qv::encode_bmp24(image);
    FUZZ_CHECK(encoded.ok());
    const QByteArray& bmp = *encoded;
    const std::size_t stride = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
    FUZZ_CHECK(bmp.size() == qsizetype(54 + stride * std::size_t(height)));
    const QImage back = QImage::fromData(bmp, "BMP").convertToFormat(QImage::Format_RGB32);
    FUZZ_CHECK(back.size() == image.size());
    FUZZ_CHECK(back == image);
    return 0;
}
