#include "io/picture_loader.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

namespace {

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(LoadPicture, FillsTransparentPixelsAndGivesScreenRgb32) {
    QTemporaryDir dir;
    QImage png(4, 2, QImage::Format_ARGB32);
    png.fill(Qt::transparent);
    png.setPixel(1, 0, qRgba(10, 20, 30, 255));
    const QString path = dir.filePath("blue.picture");  // the content decides the format
    ASSERT_TRUE(png.save(path, "PNG"));

    const auto picture = qv::load_picture(path, QColor(240, 240, 240));
    ASSERT_TRUE(picture.ok()) << picture.error().toStdString();
    EXPECT_EQ(picture->format(), QImage::Format_RGB32);
    EXPECT_EQ(picture->size(), QSize(4, 2));
    EXPECT_EQ(picture->dotsPerMeterX(), 3780);
    EXPECT_EQ(picture->pixel(0, 0), qRgb(240, 240, 240));
    EXPECT_EQ(picture->pixel(1, 0), qRgb(10, 20, 30));
}

TEST(LoadPicture, FailsNamingThePath) {
    QTemporaryDir dir;
    const QString corrupt = dir.filePath("corrupt.bmp");
    write(corrupt, "BM this is not a picture");
    // Bitmap headers that claim 100000 and 16000 pixels a side and stop there.
    const auto header = [](std::uint32_t side) {
        QByteArray bytes(54, '\0');
        const auto put32 = [&bytes](int offset, std::uint32_t v) {
            for (int i = 0; i < 4; ++i) bytes[offset + i] = char(v >> (8 * i));
        };
        bytes[0] = 'B', bytes[1] = 'M', bytes[26] = 1, bytes[28] = 24;
        put32(2, 54), put32(10, 54), put32(14, 40), put32(18, side), put32(22, side);
        return bytes;
    };
    const QString giant = dir.filePath("giant.bmp"), large = dir.filePath("large.bmp");
    write(giant, header(100000));
    write(large, header(16000));

    for (const QString& path : {corrupt, giant, large, dir.filePath("missing.gif"), dir.path()}) {
        const auto result = qv::load_picture(path, Qt::white);
        ASSERT_FALSE(result.ok()) << path.toStdString();
        EXPECT_TRUE(result.error().startsWith("Cannot load " + path + ": "))
            << result.error().toStdString();
    }
    // Refused from the header alone, before a gigabyte is asked for.
    EXPECT_TRUE(qv::load_picture(large, Qt::white).error().contains("16000 by 16000"));
}

TEST(Placement, CentresAndDropsHalvesTowardsTheTopLeft) {
    const QSize frame(150, 56);
    EXPECT_EQ(qv::canvas_position(frame, {200, 80}), QPoint(-25, -12));
    EXPECT_EQ(qv::canvas_position(frame, {150, 56}), QPoint(0, 0));
    EXPECT_EQ(qv::canvas_position(frame, {100, 40}), QPoint(25, 8));
    EXPECT_EQ(qv::canvas_position(frame, {65, 43}), QPoint(42, 6));
    EXPECT_EQ(qv::canvas_position(frame, {151, 57}), QPoint(-1, -1));
    EXPECT_EQ(qv::centred_text_y(40, 16), 12);
    EXPECT_EQ(qv::centred_text_y(40, 15), 12);
    EXPECT_EQ(qv::centred_text_y(10, 15), -3);
}

}  // namespace
