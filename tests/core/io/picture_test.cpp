#include "core/io/bmp_writer.h"
#include "core/io/picture_loader.h"
#include "core/io/png_writer.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <cstdlib>
#include <string_view>

namespace {

TEST(LoadPicture, FillsTransparentPixelsAndGivesScreenRgb32) {
    QTemporaryDir dir;
    QImage png(4, 2, QImage::Format_ARGB32);
    png.fill(Qt::transparent);
    png.setPixel(1, 0, qRgba(10, 20, 30, 255));
    const QString path = dir.filePath("blue.picture");  // the content decides the format
    ASSERT_TRUE(png.save(path, "PNG"));
    const auto picture = qv::load_picture(path, QColor(240, 240, 240));
    ASSERT_TRUE(picture.ok()) << picture.error().toStdString();
    EXPECT_TRUE(picture->format() == QImage::Format_RGB32 && picture->dotsPerMeterX() == 3780);
    EXPECT_EQ(picture->pixel(0, 0), qRgb(240, 240, 240));
    EXPECT_EQ(picture->pixel(1, 0), qRgb(10, 20, 30));
}

// A picture whose suffix names a format Qt reads itself is read without loading the image plugins
// (a one-button run would spend longer loading them than drawing); one whose suffix belies its
// content still loads. In a process of its own, since another test may have loaded plugins.
TEST(LoadPictureDeathTest, ReadsByTheSuffixFirstAndByTheContentWhenItMisleads) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto plugins_loaded = [] {
        QFile maps("/proc/self/maps");
        return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
    };
    // Written by the core's own encoders: Qt's writer would load the plugins itself.
    const auto load = [](const QString& path, const char* format) {
        QImage image(6, 4, QImage::Format_RGB32);
        image.fill(qRgb(1, 2, 3));
        const QByteArray bytes =
            format == std::string_view("PNG") ? qv::encode_png(image) : *qv::encode_bmp24(image);
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
               file.flush() && qv::load_picture(path, Qt::white).ok();
    };
    EXPECT_EXIT(
        {
            QTemporaryDir dir;
            const bool bmp = load(dir.filePath("steel.bmp"), "BMP");
            const bool png = load(dir.filePath("pill.png"), "PNG");
            std::exit(bmp && png && !plugins_loaded() ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
    QTemporaryDir dir;
    EXPECT_TRUE(load(dir.filePath("named.bmp"), "PNG"));
}

TEST(LoadPicture, FailsNamingThePath) {
    QTemporaryDir dir;
    const auto write = [&dir](const char* name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return file.fileName();
    };
    // Bitmap headers that claim 100000 and 16000 pixels a side and stop there.
    const auto header = [](int side) {
        QByteArray bytes = QByteArray::fromHex("424d 36000000 00000000 36000000 28000000");
        for (int i = 0; i < 8; ++i) bytes += char(side >> (8 * (i % 4)));
        return bytes + QByteArray::fromHex("0100 1800") + QByteArray(24, '\0');
    };
    const QString large = write("large.bmp", header(16000));
    const int allocation_limit = QImageReader::allocationLimit();
    for (const QString& path :
         {write("corrupt.bmp", "BM this is not a picture"), large,
          write("giant.bmp", header(100000)), dir.filePath("missing.gif"), dir.path()}) {
        const auto result = qv::load_picture(path, Qt::white);
        EXPECT_TRUE(result.error().startsWith("Cannot load " + path + ": ")) << path.toStdString();
    }
    // Refused from the header alone, before a gigabyte is asked for, and without changing the
    // limit the whole process decodes under.
    EXPECT_TRUE(qv::load_picture(large, Qt::white).error().contains("16000 by 16000"));
    EXPECT_EQ(QImageReader::allocationLimit(), allocation_limit);
}

TEST(Placement, CentresAndDropsHalvesTowardsTheTopLeft) {
    EXPECT_EQ(qv::canvas_position({150, 56}, {200, 80}), QPoint(-25, -12));
    EXPECT_EQ(qv::canvas_position({150, 56}, {151, 57}), QPoint(-1, -1));
    EXPECT_EQ(qv::centred_text_y(40, 15), 12);
    EXPECT_EQ(qv::centred_text_y(10, 15), -3);
}

}  // namespace
