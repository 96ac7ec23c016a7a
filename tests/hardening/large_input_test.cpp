// Inputs far beyond the usual: long lists, a label of a megabyte, pictures that claim or have
// millions of pixels. Each is handled or refused at once; nothing crashes or hangs.
#include "hardening_support.h"
#include "io/button_output.h"
#include "io/picture_loader.h"
#include "io/text_list.h"
#include "render/canvas.h"
#include "render/composer.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtEndian>

#include <array>

using namespace hardening;

namespace {

QByteArray le32(quint32 v) {
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray be32(quint32 v) {
    QByteArray b(4, '\0');
    qToBigEndian(v, b.data());
    return b;
}

quint32 crc32(const QByteArray& bytes) {
    static const auto table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    quint32 c = 0xFFFFFFFFu;
    for (const char ch : bytes) c = table[(c ^ quint8(ch)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

// Headers of a 100,000 x 100,000 picture and nothing after them: ten billion pixels claimed.
QByteArray huge_bmp_header() {
    QByteArray info = le32(40) + le32(100000) + le32(100000);
    info += QByteArray("\x01\x00\x18\x00", 4);  // one plane, 24 bits per pixel
    info += le32(0) + le32(0) + le32(3780) + le32(3780) + le32(0) + le32(0);
    return "BM" + le32(54 + 30000000) + le32(0) + le32(54) + info;
}

QByteArray png_chunk(const QByteArray& type_and_data) {
    return be32(quint32(type_and_data.size() - 4)) + type_and_data + be32(crc32(type_and_data));
}

// A whole file as far as its chunks go, with a few bytes of pixel data where gigabytes belong.
QByteArray huge_png_header() {
    return QByteArray("\x89PNG\r\n\x1a\n", 8) +
           png_chunk("IHDR" + be32(100000) + be32(100000) + QByteArray("\x08\x02\0\0\0", 5)) +
           png_chunk(QByteArray("IDAT\x78\x9c\x63\0\0\0\x01\0\x01", 13)) + png_chunk("IEND");
}

qv::ButtonStyle all_effects(const QString& label) {
    qv::ButtonStyle style;
    style.label_text = label;
    style.font_name = QStringLiteral("DejaVu Sans");
    style.effet1_on = style.effet2_on = style.effet3_on = qv::kTrue;
    return style;
}

class LargeInputs : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(tmp_.isValid()); }
    QString path(const QString& name) const { return tmp_.filePath(name); }
    QTemporaryDir tmp_;
};

TEST_F(LargeInputs, TwoHundredThousandLinesLoadAndCheck) {
    QByteArray bytes;
    for (int i = 0; i < 200000; ++i) bytes += "Label " + QByteArray::number(i) + "\r\n";
    write_bytes(path("list.txt"), bytes);

    const auto labels = qv::read_text_list(path("list.txt"));
    ASSERT_TRUE(labels.ok()) << labels.error();
    ASSERT_EQ(labels->size(), 200000);
    EXPECT_EQ(labels->first(), QStringLiteral("Label 0"));
    EXPECT_EQ(labels->last(), QStringLiteral("Label 199999"));

    const Outcome outcome = run_batch_tool({"--check", "--labels", path("list.txt")});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(outcome.err.contains(u" of 200000 labels")) << outcome.err;
}

TEST_F(LargeInputs, AOneMegabyteLabelFailsOnItsNameAlone) {
    const QByteArray line(1 << 20, 'm');
    const QStringList labels = qv::parse_text_list("Short\r\n" + line);
    ASSERT_EQ(labels.size(), 2);
    ASSERT_EQ(labels[1].size(), 1 << 20);

    QDir(tmp_.path()).mkdir(QStringLiteral("out"));
    const QString out = path("out");
    const auto saved = qv::save_button(button_picture(0), out, labels[1]);
    ASSERT_FALSE(saved.ok());
    EXPECT_TRUE(saved.error().startsWith(QStringLiteral("Cannot write ") + out + u'/'));
    EXPECT_TRUE(saved.error().contains(u"File name too long"));
    // The message stays readable: the name is shortened in its middle, not printed whole.
    EXPECT_LT(saved.error().size(), 2000);

    write_bytes(path("list.txt"), "Short\r\n" + line);
    const Outcome outcome = run_batch_tool({"--labels", path("list.txt"), "--out", out});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_TRUE(outcome.err.startsWith(QStringLiteral("quorvane-batch: Cannot write ") + out))
        << outcome.err;
    EXPECT_TRUE(outcome.err.contains(u"File name too long"));
    EXPECT_LT(outcome.err.size(), 4000);
    EXPECT_EQ(entries(out), QStringList{"Short.bmp"});
}

TEST_F(LargeInputs, APictureClaimingTenBillionPixelsIsRefusedAtOnce) {
    write_bytes(path("huge.bmp"), huge_bmp_header());
    write_bytes(path("huge.png"), huge_png_header());
    ASSERT_EQ(QImageReader(path("huge.png")).size(), QSize(100000, 100000));
    for (const QString& name : {QStringLiteral("huge.bmp"), QStringLiteral("huge.png")}) {
        const auto picture = qv::load_picture(path(name), qv::kWindowBackground);
        ASSERT_FALSE(picture.ok()) << name;
        EXPECT_TRUE(picture.error().contains(path(name))) << picture.error();

        const Outcome outcome =
            run_batch_tool({"--labels", "-", "--background", path(name), "--out", tmp_.path()});
        EXPECT_EQ(outcome.status, 2) << name;
        EXPECT_TRUE(outcome.err.contains(path(name))) << outcome.err;
    }
}

TEST_F(LargeInputs, AFourThousandPixelPictureLoadsComposesAndWritesOneButton) {
    write_picture(path("big.bmp"), {4000, 4000});
    const auto picture = qv::load_picture(path("big.bmp"), qv::kWindowBackground);
    ASSERT_TRUE(picture.ok()) << picture.error();
    ASSERT_EQ(picture->size(), QSize(4000, 4000));

    const qv::Canvas background = qv::Canvas::from_picture(*picture, qv::kWindowBackground);
    qv::Canvas preview = qv::Canvas::make(background.image.size(), qv::kWindowBackground);
    EXPECT_TRUE(qv::compose_button(preview, background, all_effects(QStringLiteral("Big"))));
    EXPECT_EQ(preview.image.size(), QSize(4000, 4000));
    EXPECT_NE(preview.image, background.image);  // the label is on it

    QDir(tmp_.path()).mkdir(QStringLiteral("out"));
    write_bytes(path("list.txt"), "Big");
    const Outcome outcome =
        run_batch_tool({"--labels", path("list.txt"), "--background", path("big.bmp"), "--out",
                        path("out"), "--shadow", "--outline", "--3d"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(entries(path("out")), QStringList{"Big.bmp"});
    EXPECT_EQ(QImageReader(path("out/Big.bmp")).size(), QSize(4000, 4000));
}

}  // namespace
