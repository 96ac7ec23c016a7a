#include "core/io/png_writer.h"

#include <gtest/gtest.h>
#include <QImage>

#include <array>
#include <cstdint>

namespace {

using qv::PngFilter;

// Every kind of pixel a button has: a gradient, sharp edges, and (with alpha) clear, partly clear
// and opaque pixels whose colours must all survive.
QImage sample(bool alpha) {
    QImage image(37, 13, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y,
                           qRgba(x * 7, (x * y) % 256, (x + y) % 2 ? 255 : 0,
                                 alpha ? (x * 23 + y * 5) % 256 : 255));
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
}

TEST(Png, EveryFilterAndLevelDecodesToTheSamePixels) {
    for (bool alpha : {false, true})
        for (int filter = 0; filter <= 5; ++filter)
            for (int level : {0, 4, 12}) {
                qv::PngSettings settings{level, filter == 5, PngFilter(filter % 5)};
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

TEST(Png, PaethPredictorAndRowFilters) {
    EXPECT_EQ(qv::paeth(10, 20, 10), 20);  // p = 20: above is exact
    EXPECT_EQ(qv::paeth(20, 10, 10), 20);  // p = 20: left is exact
    EXPECT_EQ(qv::paeth(10, 10, 20), 10);  // ties go to left
    EXPECT_EQ(qv::paeth(0, 255, 128), 128);
    const std::array<std::uint8_t, 6> row{10, 20, 30, 15, 5, 250};
    const std::array<std::uint8_t, 6> above{1, 2, 3, 4, 5, 6};
    std::array<std::uint8_t, 6> out{};
    qv::filter_row(PngFilter::Sub, row, above, 3, out);
    EXPECT_EQ(out, (std::array<std::uint8_t, 6>{10, 20, 30, 5, 241, 220}));
    qv::filter_row(PngFilter::Up, row, above, 3, out);
    EXPECT_EQ(out, (std::array<std::uint8_t, 6>{9, 18, 27, 11, 0, 244}));
    qv::filter_row(PngFilter::Average, row, above, 3, out);
    EXPECT_EQ(out, (std::array<std::uint8_t, 6>{10, 19, 29, 8, 249, 232}));
}

}  // namespace
