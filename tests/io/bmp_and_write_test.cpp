#include "io/atomic_write.h"
#include "io/bmp_writer.h"
#include "io/button_output.h"
#include "io/output_path.h"
#include "io/staged_file.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstring>

namespace {

std::uint32_t field(const QByteArray& bytes, int offset, int size = 4) {
    std::uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = (v << 8) | std::uint8_t(bytes[offset + i]);
    return v;
}

QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(Bmp, QtReadsBackEveryPixelAtOddWidths) {
    for (int width : {1, 2, 3, 65, 150}) {
        QImage image(width, 7, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < width; ++x)
                image.setPixel(x, y, 0xFF000000u | QRandomGenerator::global()->generate());
        const QByteArray bytes = qv::encode_bmp24(image);
        EXPECT_EQ(bytes.size(), 54 + qv::bmp24_row_size(width) * 7);
        const QImage back = QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(back, image) << "width " << width;
    }
}

TEST(Bmp, HeaderFieldsAreExact) {
    QImage image(3, 2, QImage::Format_ARGB32);  // converted on the way
    image.fill(QColor(10, 20, 30));
    QByteArray bytes = "keep";
    qv::encode_bmp24_into(image, bytes);
    ASSERT_TRUE(bytes.startsWith("keepBM"));
    bytes.remove(0, 4);
    const int row = 12;  // 9 bytes of pixels, 3 of padding
    ASSERT_EQ(bytes.size(), 54 + 2 * row);
    const std::uint32_t expected[][3] = {
        {2, 4, 78},  {6, 4, 0},  {10, 4, 54}, {14, 4, 40},   {18, 4, 3},    {22, 4, 2}, {26, 2, 1},
        {28, 2, 24}, {30, 4, 0}, {34, 4, 24}, {38, 4, 3780}, {42, 4, 3780}, {46, 4, 0}, {50, 4, 0}};
    for (const auto& [offset, size, value] : expected)
        EXPECT_EQ(field(bytes, int(offset), int(size)), value) << "offset " << offset;
    EXPECT_EQ(bytes.mid(54, row), QByteArray("\x1E\x14\x0A\x1E\x14\x0A\x1E\x14\x0A\0\0\0", row));
}

TEST(AtomicWrite, ReplacesWholeAndLeavesNothingElse) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Home.bmp");
    ASSERT_TRUE(qv::write_file_atomically(path, "an older, longer file").ok());
    ASSERT_TRUE(qv::write_file_atomically(path, "new").ok());
    EXPECT_EQ(contents(path), "new");
    // 250 bytes: the usual temporary name would pass the 255-byte limit, a shorter one is used.
    const QString long_name = dir.filePath(QString(246, 'x') + ".bmp");
    EXPECT_TRUE(qv::write_file_atomically(long_name, "long").ok());
    EXPECT_EQ(entries(dir.path()), (QStringList{"Home.bmp", QString(246, 'x') + ".bmp"}));
}

TEST(AtomicWrite, FailsNamingThePathAndReason) {
    QTemporaryDir dir;
    ASSERT_TRUE(qv::write_file_atomically(dir.filePath("file"), "x").ok());
    const struct {
        QString path, reason;
    } cases[] = {{dir.filePath("missing/Home.bmp"), "No such file or directory"},
                 {dir.filePath("file/Home.bmp"), "Not a directory"},
                 {dir.filePath(QString(256, 'n')), "File name too long"},
                 {dir.path(), "Is a directory"}};
    for (const auto& c : cases) {
        const auto result = qv::write_file_atomically(c.path, "data");
        ASSERT_FALSE(result.ok()) << c.path.toStdString();
        EXPECT_EQ(result.error(), "Cannot write " + c.path + ": " + c.reason);
    }
    EXPECT_EQ(entries(dir.path()), QStringList{"file"});
}

TEST(OutputPath, JoinsWithOneSlashAndKeepsTheLabel) {
    EXPECT_EQ(*qv::output_path("/web/img", "Home"), "/web/img/Home.bmp");
    EXPECT_EQ(*qv::output_path("/web/img/", "Home"), "/web/img/Home.bmp");
    EXPECT_EQ(*qv::output_path("/", "Home"), "/Home.bmp");
    EXPECT_EQ(*qv::output_path("/out", "  Home "), "/out/  Home .bmp");
    EXPECT_EQ(*qv::output_path("/out", ""), "/out/.bmp");
    EXPECT_EQ(*qv::output_path("/out", "sub/..Home..", ".png"), "/out/sub/..Home...png");
    EXPECT_EQ(*qv::output_path("rel", "a\\b"), "rel/a\\b.bmp");
}

TEST(OutputPath, RefusesWhatWouldLeaveTheDirectory) {
    EXPECT_TRUE(qv::output_path("", "Home").error().contains("choose one"));
    for (const QString label : {"/etc/Home", "../Home", "a/../../Home", "..", "a/.."}) {
        const auto result = qv::output_path("/out", label);
        ASSERT_FALSE(result.ok()) << label.toStdString();
        EXPECT_TRUE(result.error().contains('"' + label + '"')) << result.error().toStdString();
    }
    const auto nul = qv::output_path("/out", QString("Ho") + QChar(0) + "me");
    ASSERT_FALSE(nul.ok());
    EXPECT_TRUE(nul.error().contains("/out/Ho\\x00me.bmp")) << nul.error().toStdString();
}

TEST(SaveButton, WritesTheFormatAtTheLabelsPath) {
    QTemporaryDir dir;
    QImage image(5, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    const auto bmp = qv::save_button(image, dir.path(), "Home");
    ASSERT_TRUE(bmp.ok()) << bmp.error().toStdString();
    EXPECT_EQ(*bmp, dir.filePath("Home.bmp"));
    EXPECT_EQ(contents(*bmp), qv::encode_bmp24(image));
    const auto png = qv::save_button(image, dir.path(), "Home", qv::ButtonFormat::Png);
    ASSERT_TRUE(png.ok());
    EXPECT_EQ(QImage(*png).convertToFormat(QImage::Format_RGB32), image);
    EXPECT_FALSE(qv::save_button(image, dir.path(), "no/such/Home").ok());
}

}  // namespace

// Both ways of staging: committed files appear whole under their name, replacing an older one;
// discarded or failed ones leave nothing.
TEST(StagedFile, CommitReplacesDiscardLeavesNothing) {
    for (const bool nameless : {true, false}) {
        QTemporaryDir tmp;
        const QString target = tmp.filePath("Home.bmp");
        auto first = qv::stage_file(target, "old", nameless);
        ASSERT_TRUE(first.ok());
        EXPECT_FALSE(QFile::exists(target));
        ASSERT_TRUE(qv::commit_file(*first).ok());
        auto second = qv::stage_file(target, "new", nameless);
        ASSERT_TRUE(second.ok());
        ASSERT_TRUE(qv::commit_file(*second).ok());
        auto dropped = qv::stage_file(tmp.filePath("News.bmp"), "x", nameless);
        ASSERT_TRUE(dropped.ok());
        qv::discard_file(*dropped);

        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), "new");
        EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Home.bmp"});
        const auto missing = qv::stage_file(tmp.filePath("no/Home.bmp"), "x", nameless);
        ASSERT_FALSE(missing.ok());
        EXPECT_TRUE(missing.error().endsWith("no/Home.bmp: No such file or directory"));
    }
}
