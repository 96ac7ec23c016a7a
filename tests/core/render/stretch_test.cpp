// Backgrounds stretched to a label's width: caps kept exactly, the middle scaled or tiled.
#include "core/render/stretch.h"

#include <gtest/gtest.h>

namespace {

using namespace qv;

// A different colour and alpha in every column and row, so a shifted or mixed copy shows.
QImage patterned(int width = 40, int height = 6) {
    QImage picture(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) picture.setPixel(x, y, qRgba(x * 5, y * 30, 7, 60 + x * 4));
    return picture;
}

bool same_column(const QImage& a, int ax, const QImage& b, int bx) {
    for (int y = 0; y < a.height(); ++y)
        if (a.pixel(ax, y) != b.pixel(bx, y)) return false;
    return true;
}

TEST(Stretch, WidthsClampedAndCapsShortenedByTheRules) {
    Stretch s{10, 12, StretchMode::Scale, {}, {}};
    EXPECT_EQ(needed_width(100, 3, 4, s), 129);                         // ink, margins and caps
    EXPECT_EQ(needed_width(1 << 30, 1 << 30, 0, s), kMaxStretchWidth);  // no overflow
    s.min_width = 150;
    s.max_width = 400;
    EXPECT_EQ(needed_width(100, 3, 4, s), 150);
    EXPECT_EQ(needed_width(500, 0, 0, s), 400);

    // Caps that leave no middle share the picture less one column, in proportion.
    EXPECT_EQ(caps_on(23, s), (Caps{10, 12}));
    EXPECT_EQ(caps_on(22, s), (Caps{9, 12}));
    EXPECT_EQ(caps_on(12, Stretch{30, 10, StretchMode::Scale, {}, {}}), (Caps{8, 3}));
    EXPECT_EQ(caps_on(0, s), (Caps{0, 0}));
}

TEST(Stretch, CapsAreThePicturesColumnsAtEveryWidthInBothModes) {
    const QImage picture = patterned();
    for (StretchMode mode : {StretchMode::Scale, StretchMode::Tile}) {
        const Stretch s{8, 6, mode, {}, {}};
        EXPECT_EQ(stretch_picture(picture, s, 40), picture);  // its own width: unchanged
        for (int width : {41, 100, 25, 15, 14}) {
            const QImage out = stretch_picture(picture, s, width);
            ASSERT_EQ(out.size(), QSize(width, 6));
            EXPECT_EQ(out.format(), QImage::Format_ARGB32);
            for (int x = 0; x < 8; ++x) EXPECT_TRUE(same_column(out, x, picture, x)) << width;
            for (int x = 1; x <= 6; ++x)
                EXPECT_TRUE(same_column(out, width - x, picture, 40 - x)) << width;
        }
        // Narrower than the caps: the middle goes, each cap loses inner columns in proportion.
        const QImage narrow = stretch_picture(picture, s, 9);
        ASSERT_EQ(narrow.width(), 9);
        for (int x = 0; x < 5; ++x) EXPECT_TRUE(same_column(narrow, x, picture, x));
        for (int x = 5; x < 9; ++x) EXPECT_TRUE(same_column(narrow, x, picture, x + 31));
    }
    // min_width and max_width hold the width asked for.
    EXPECT_EQ(stretch_picture(picture, Stretch{8, 6, StretchMode::Scale, 50, 60}, 20).width(), 50);
    EXPECT_EQ(stretch_picture(picture, Stretch{8, 6, StretchMode::Scale, 50, 60}, 99).width(), 60);
}

TEST(Stretch, TilesRepeatTheMiddleFromItsFirstColumn) {
    const QImage picture = patterned();
    const QImage out = stretch_picture(picture, Stretch{8, 6, StretchMode::Tile, {}, {}}, 100);
    for (int x = 8; x < 94; ++x) EXPECT_TRUE(same_column(out, x, picture, 8 + (x - 8) % 26)) << x;
}

// Scaled, the middle takes nothing from the caps, and partly clear pixels keep their colour: the
// usual fault is a dark fringe where clear pixels (often black underneath) are mixed in.
TEST(Stretch, ScaledMiddleKeepsItsColoursAndAlpha) {
    QImage uniform(30, 4, QImage::Format_ARGB32);
    uniform.fill(qRgba(250, 180, 40, 90));
    for (int width : {31, 77, 200, 16}) {
        const QImage out =
            stretch_picture(uniform, Stretch{5, 5, StretchMode::Scale, {}, {}}, width);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < width; ++x) {
                const QRgb p = out.pixel(x, y);
                // Exactly: weighting each colour by its alpha loses nothing to rounding, as a
                // premultiplied round trip would at alpha 90.
                EXPECT_EQ(p, qRgba(250, 180, 40, 90)) << x;
            }
    }

    // Opaque red caps; a middle of opaque white columns between clear black ones.
    QImage stripes(20, 2, QImage::Format_ARGB32);
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 2; ++y)
            stripes.setPixel(x, y,
                             x < 4 || x >= 16 ? qRgb(255, 0, 0)
                             : x % 2          ? qRgba(0, 0, 0, 0)
                                              : qRgb(255, 255, 255));
    const QImage out = stretch_picture(stripes, Stretch{4, 4, StretchMode::Scale, {}, {}}, 57);
    int partly_clear = 0;
    for (int x = 4; x < 53; ++x) {
        const QRgb p = out.pixel(x, 1);
        if (qAlpha(p) == 0) continue;
        EXPECT_EQ(p | 0xff000000u, qRgb(255, 255, 255)) << x << " alpha " << qAlpha(p);
        partly_clear += qAlpha(p) < 255;
    }
    EXPECT_GT(partly_clear, 10);
}

TEST(Stretch, OddPicturesGiveAPictureOrNothing) {
    const Stretch caps{50, 50, StretchMode::Scale, {}, {}};
    EXPECT_TRUE(stretch_picture(QImage(), caps, 100).isNull());
    QImage dot(1, 1, QImage::Format_RGB32);
    dot.fill(qRgb(1, 2, 3));
    for (StretchMode mode : {StretchMode::Scale, StretchMode::Tile}) {
        const QImage out = stretch_picture(dot, Stretch{50, 50, mode, {}, {}}, 9);
        ASSERT_EQ(out.size(), QSize(9, 1));
        EXPECT_EQ(out.format(), QImage::Format_RGB32);  // no alpha in, none out
        for (int x = 0; x < 9; ++x) EXPECT_EQ(out.pixel(x, 0), qRgb(1, 2, 3));
    }
    EXPECT_EQ(stretch_picture(patterned(), caps, 0).width(), 1);
    EXPECT_EQ(stretch_picture(patterned(), caps, 1 << 30).width(), kMaxStretchWidth);
}

}  // namespace
