#include "core/io/png_writer.h"

#include <gtest/gtest.h>
#include <QImage>

namespace {

using qv::PngFilter;

// Every kind of pixel a button has: a gradient, sharp edges, low noise (where the Paeth predictor
// meets its ties) and, with alpha, clear, partly clear and opaque pixels whose colours must all
// survive.
QImage sample(bool alpha) {
    unsigned seed = 1;
    const auto noise = [&seed] { return int((seed = seed * 1103515245 + 12345) >> 16) % 4; };
    QImage image(37, 13, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y,
                           qRgba(x * 7, (x * y) % 256, y < 7 ? ((x + y) % 2 ? 255 : 0) : noise(),
                                 alpha ? (x * 23 + y * 5) % 256 : 255));
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
}

// A wrong predictor or row filter decodes to other pixels, so the round trip checks each one.
TEST(Png, EveryFilterAndLevelDecodesToTheSamePixels) {
    for (bool alpha : {false, true})
        for (int filter = 0; filter <= 6; ++filter)
            for (int level : {0, 4, 12}) {
                const qv::PngRows rows = filter < 5    ? qv::PngRows::Fixed
                                         : filter == 5 ? qv::PngRows::PerRow
                                                       : qv::PngRows::ByColours;
                qv::PngSettings settings{level, rows, PngFilter(filter % 5)};
                const QImage in = sample(alpha);
                QImage out;
                ASSERT_TRUE(out.loadFromData(qv::encode_png(in, settings), "PNG"));
                EXPECT_EQ(out.hasAlphaChannel(), alpha);
                EXPECT_EQ(out.convertToFormat(in.format()), in)
                    << alpha << " filter " << filter << " level " << level;
                EXPECT_EQ(out.dotsPerMeterX(), 3780);
            }
    EXPECT_TRUE(qv::encode_png(QImage()).isEmpty());
}

}  // namespace
