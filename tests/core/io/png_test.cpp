#include "core/io/png_writer.h"
#include "sample_pictures.h"

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

// Buttons over each kind of picture decode to their own pixels, alpha included, and the files
// are no larger than Qt's writer makes with libpng's filters at zlib's default level: unfiltered
// rows lose to it by a third on the photograph, libpng's choice on every row at level 4 on the
// gradient.
TEST(Png, ButtonsOverEachKindOfPictureKeepTheirPixelsInFilesNoLargerThanQts) {
    for (const samples::Picture& picture : samples::pictures()) {
        ASSERT_FALSE(picture.image.isNull()) << picture.name;
        qint64 ours = 0, qt = 0;
        for (const QImage& button : samples::buttons(picture.image, 8)) {
            const QByteArray png = qv::encode_png(button);
            QImage out;
            ASSERT_TRUE(out.loadFromData(png, "PNG")) << picture.name;
            EXPECT_EQ(out.hasAlphaChannel(), picture.image.hasAlphaChannel()) << picture.name;
            const QImage::Format straight =
                button.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
            EXPECT_EQ(out.convertToFormat(straight), button.convertToFormat(straight))
                << picture.name;
            ours += png.size();
            qt += samples::qt_png(button).size();
        }
        EXPECT_LE(ours, qt) << picture.name;
    }
}

TEST(Png, CountColoursTellsAlphaApartAndStopsAtTheLimit) {
    QImage image(6, 2, QImage::Format_ARGB32);
    image.fill(qRgba(10, 20, 30, 255));
    image.setPixel(5, 0, qRgba(10, 20, 30, 0));       // the same colour, clear
    image.setPixel(0, 1, qRgba(255, 255, 255, 255));  // all ones, as a free slot's low half
    image.setPixel(3, 1, qRgba(10, 20, 30, 0));       // again, after a run of another
    std::vector<std::uint64_t> table;
    EXPECT_EQ(qv::count_colours(image, 100, table), 3u);
    EXPECT_EQ(qv::count_colours(image, 2, table), 2u);
}

}  // namespace
