#include "io/picture_loader.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
    // A bitmap header that claims 100000 by 100000 pixels and stops there.
    QByteArray huge(54, '\0');
    const auto put32 = [&huge](int offset, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) huge[offset + i] = char(v >> (8 * i));
    };
    huge[0] = 'B', huge[1] = 'M', huge[26] = 1, huge[28] = 24;
    put32(2, 54), put32(10, 54), put32(14, 40), put32(18, 100000), put32(22, 100000);
    const QString giant = dir.filePath("giant.bmp");
    write(giant, huge);

    for (const QString& path : {corrupt, giant, dir.filePath("missing.gif"), dir.path()}) {
        const auto result = qv::load_picture(path, Qt::white);
        ASSERT_FALSE(result.ok()) << path.toStdString();
        EXPECT_TRUE(result.error().startsWith("Cannot load " + path + ": "))
            << result.error().toStdString();
    }
    // Refused from the header alone, before 40 GB are asked for.
    EXPECT_TRUE(qv::load_picture(giant, Qt::white).error().contains("100000 by 100000"));
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
