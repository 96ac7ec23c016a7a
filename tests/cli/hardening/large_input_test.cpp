// Inputs far beyond the usual: long lists, a label of a megabyte, pictures that claim or have
// millions of pixels. Each is handled or refused at once; nothing crashes or hangs.
#include "core/io/button_output.h"
#include "core/io/picture_loader.h"
#include "core/io/text_list.h"
#include "core/render/canvas.h"
#include "hardening_support.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

using namespace hardening;

namespace {

QByteArray u32(quint32 v, bool big_endian) {
    QByteArray b(4, '\0');
    big_endian ? qToBigEndian(v, b.data()) : qToLittleEndian(v, b.data());
    return b;
}

quint32 crc32(const QByteArray& bytes) {
    quint32 c = 0xFFFFFFFFu;
    for (const char ch : bytes) {
        c ^= quint8(ch);
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    }
    return ~c;
}

// A one-pixel picture whose header claims 100,000 x 100,000: ten billion pixels.
QByteArray huge_header(const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage(1, 1, QImage::Format_RGB32).save(&buffer, format);
    const bool png = qstrcmp(format, "PNG") == 0;
    bytes.replace(png ? 16 : 18, 8, u32(100000, png) + u32(100000, png));  // IHDR; info header
    if (png) bytes.replace(29, 4, u32(crc32(bytes.mid(12, 17)), true));    // the IHDR checksum
    return bytes;
}

class LargeInputs : public testing::Test {
  protected:
    QString path(const QString& name) const { return tmp_.filePath(name); }
    QTemporaryDir tmp_;
};

TEST_F(LargeInputs, TwoHundredThousandLinesLoadAndCheck) {
    QStringList lines;
    for (int i = 0; i < 200000; ++i) lines << QStringLiteral("Label %1").arg(i);
    const auto labels = qv::read_text_list(write_list(path("list.txt"), lines));
    ASSERT_TRUE(labels.ok()) << labels.error();
    EXPECT_EQ(*labels, lines);

    const Outcome outcome = batch_tool::run({"--check", "--labels", path("list.txt")});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(outcome.err.contains(u" of 200000 labels")) << outcome.err;
}

TEST_F(LargeInputs, AOneMegabyteLabelFailsOnItsNameAlone) {
    const QByteArray line(1 << 20, 'm');
    const QStringList labels = qv::parse_text_list("Short\r\n" + line);
    ASSERT_EQ(labels, (QStringList{"Short", QString::fromLatin1(line)}));

    ASSERT_TRUE(QDir(tmp_.path()).mkdir("out"));
    const QString out = path("out");
    const QString error = qv::save_button(button_picture(0), out, labels[1]).error();
    const Outcome outcome =
        batch_tool::run({"--labels", write_list(path("list.txt"), labels), "--out", out});
    EXPECT_EQ(outcome.status, 2);  // found before anything is written
    EXPECT_EQ(entries(out), QStringList{});
    // The messages stay readable: the name is shortened in its middle, not printed whole.
    EXPECT_TRUE(error.startsWith("Cannot write " + out + u'/')) << error;
    EXPECT_TRUE(error.contains(u"File name too long")) << error;
    EXPECT_TRUE(outcome.err.startsWith("quorvane-batch: The label \"mmm")) << outcome.err;
    EXPECT_TRUE(outcome.err.contains(u"1048580 bytes long")) << outcome.err;
    for (const QString& message : {error, outcome.err}) EXPECT_LT(message.size(), 2000);
}

TEST_F(LargeInputs, APictureClaimingTenBillionPixelsIsRefusedAtOnce) {
    for (const char* format : {"BMP", "PNG"}) {
        const QString name = path("huge." + QString::fromLatin1(format).toLower());
        write_bytes(name, huge_header(format));
        // The PNG's claim gets through Qt's reader to ours; Qt refuses the BMP's already.
        EXPECT_TRUE(format[0] == 'B' || QImageReader(name).size() == QSize(100000, 100000));
        const auto picture = qv::load_picture(name, qv::kWindowBackground);
        EXPECT_TRUE(picture.error().contains(name)) << picture.error();

        const Outcome outcome =
            batch_tool::run({"--labels", "-", "--background", name, "--out", tmp_.path()});
        EXPECT_EQ(outcome.status, 2) << format;
        EXPECT_TRUE(outcome.err.contains(name)) << outcome.err;
    }
}

TEST_F(LargeInputs, AFourThousandPixelPictureLoadsAndMakesOneButton) {
    ASSERT_TRUE(button_picture(90).scaled(4000, 4000).save(path("big.bmp")));
    const auto picture = qv::load_picture(path("big.bmp"), qv::kWindowBackground);
    ASSERT_TRUE(picture.ok()) << picture.error();
    EXPECT_EQ(picture->size(), QSize(4000, 4000));

    QDir(tmp_.path()).mkdir("out");
    const Outcome outcome =
        batch_tool::run({"--labels", write_list(path("list.txt"), {"Big"}), "--background",
                         path("big.bmp"), "--out", path("out"), "--shadow", "--outline", "--3d"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(entries(path("out")), QStringList{"Big.bmp"});
    EXPECT_EQ(QImageReader(path("out/Big.bmp")).size(), QSize(4000, 4000));
}

}  // namespace
