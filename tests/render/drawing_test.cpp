// Real pixels drawn in DejaVu Sans on 96-dpi canvases.
#include "render/composer.h"
#include "render/text_renderer.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

namespace qv {
namespace {

const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);

ButtonStyle style_with(const char* label, QColor face = kRed) {
    ButtonStyle s;
    s.label_text = QString::fromUtf8(label);
    s.font_name = QStringLiteral("DejaVu Sans");
    s.color_r = QString::number(face.red());
    s.color_g = QString::number(face.green());
    s.color_b = QString::number(face.blue());
    s.text_y = 10;
    return s;
}

// A background with a different colour in every pixel, so a shifted or partial copy shows.
Canvas patterned_background(QSize size) {
    Canvas c = Canvas::make(size, kWindowBackground);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) c.image.setPixel(x, y, qRgb(x, y * 4, 90));
    return c;
}

int count_pixels(const QImage& img, const std::function<bool(int, int, QRgb)>& pred) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += pred(x, y, img.pixel(x, y)) ? 1 : 0;
    return n;
}

int count_colour(const QImage& img, QColor c) {
    return count_pixels(img, [&](int, int, QRgb p) { return p == c.rgb(); });
}

struct Canvases {
    Canvas background = patterned_background({150, 56});
    Canvas preview = Canvas::make({150, 56}, kWindowBackground);
    Canvas typo = Canvas::make({150, 36}, kPanelColour);
};

// Draws a button on a plain white background.
QImage button_on_white(const ButtonStyle& style, bool* ok = nullptr) {
    const Canvas white = Canvas::make({150, 56}, kWhite);
    Canvas preview = Canvas::make({150, 56}, kWindowBackground);
    const bool drawn = compose_button(preview, white, style);
    if (ok) *ok = drawn;
    return preview.image;
}

TEST(Drawing, EmptyLabelLeavesTheBackgroundWithEveryEffect) {
    Canvases c;
    ButtonStyle s = style_with("");
    s.effet1_on = s.effet2_on = s.effet3_on = kTrue;
    const PreviewResult r = draw_preview(c.preview, c.typo, c.background, s);
    EXPECT_TRUE(r.typo_ok);
    EXPECT_TRUE(r.button_ok);
    EXPECT_EQ(c.preview.image, c.background.image);
    EXPECT_EQ(count_colour(c.typo.image, kPanelColour), 150 * 36);
}

TEST(Drawing, FaceColourAppearsOnBothCanvasesAndDefaultFaceDraws) {
    for (const char* face : {"DejaVu Sans", ""}) {
        Canvases c;
        ButtonStyle s = style_with("Quorvane", QColor(50, 200, 0));
        s.font_name = QString::fromUtf8(face);
        const PreviewResult r = draw_preview(c.preview, c.typo, c.background, s);
        EXPECT_TRUE(r.typo_ok && r.button_ok) << face;
        EXPECT_GT(count_colour(c.preview.image, QColor(50, 200, 0)), 20) << face;
        EXPECT_GT(count_colour(c.typo.image, QColor(50, 200, 0)), 20) << face;
    }
}

TEST(Drawing, ShadowLiesOnePixelDownAndRightOfTheFace) {
    ButtonStyle s = style_with("Quorvane");
    const QImage face = button_on_white(s);
    s.effet1_on = kTrue;
    const QImage shadowed = button_on_white(s);
    int black = 0;
    for (int y = 1; y < shadowed.height(); ++y)
        for (int x = 1; x < shadowed.width(); ++x)
            if (shadowed.pixel(x, y) == qRgb(0, 0, 0)) {
                ++black;
                EXPECT_EQ(face.pixel(x - 1, y - 1), kRed.rgb()) << x << "," << y;
            }
    EXPECT_GT(black, 10);
}

TEST(Drawing, BadColourKeepsTheBlackPassesAndStopsBeforeTheFace) {
    Canvases c;
    c.background = Canvas::make({150, 56}, kWhite);
    ButtonStyle s = style_with("Quorvane");
    s.color_g.clear();
    s.effet1_on = kTrue;
    const PreviewResult r = draw_preview(c.preview, c.typo, c.background, s);
    EXPECT_FALSE(r.typo_ok);
    EXPECT_FALSE(r.button_ok);
    for (const QImage& img : {c.preview.image, c.typo.image}) {
        EXPECT_GT(count_colour(img, Qt::black), 10);
        EXPECT_EQ(count_pixels(img, [](int, int, QRgb p) { return qRed(p) != qBlue(p); }), 0);
    }
}

TEST(Drawing, MarginsMoveOnlyTheirOwnAlignment) {
    ButtonStyle s = style_with("Quo");
    const QImage centred = button_on_white(s);
    s.margin_left = QStringLiteral("30");
    s.margin_right = QStringLiteral("40");
    EXPECT_EQ(button_on_white(s), centred);

    // Left alignment takes the margin as a real and the pass rounds it half to even.
    s.align_mode = kAlignLeft;
    s.margin_left = QStringLiteral("2.5");
    const QImage at_2_5 = button_on_white(s);
    s.margin_left = QStringLiteral("2");
    EXPECT_EQ(button_on_white(s), at_2_5);
    s.margin_left = QStringLiteral("3.5");
    const QImage at_3_5 = button_on_white(s);
    s.margin_left = QStringLiteral("4");
    EXPECT_EQ(button_on_white(s), at_3_5);
    EXPECT_NE(at_3_5, at_2_5);
}

TEST(Drawing, ReliefShadesAppear) {
    ButtonStyle s = style_with("Quorvane", QColor(50, 200, 0));
    s.effet3_on = kTrue;
    const QImage img = button_on_white(s);
    EXPECT_GT(count_colour(img, QColor(0, 100, 0)), 5);
    EXPECT_GT(count_colour(img, QColor(150, 255, 100)), 5);
    EXPECT_GT(count_colour(img, QColor(50, 200, 0)), 5);
}

TEST(Drawing, EveryPassDrawsTheUnderline) {
    // "ann" has nothing below its baseline but the underline.
    ButtonStyle s = style_with("ann", kWhite);
    s.font_underline = kTrue;
    const Canvas grey = Canvas::make({150, 56}, QColor(128, 128, 128));
    Canvas face = Canvas::make({150, 56}, kWindowBackground);
    ASSERT_TRUE(compose_button(face, grey, s));
    // The underline row: the lowest row holding white.
    int row = -1;
    for (int y = 0; y < 56; ++y)
        if (count_pixels(face.image, [&](int, int py, QRgb p) { return py == y && p == kWhite.rgb(); }))
            row = y;
    ASSERT_GT(row, 10);
    const int underline_width =
        count_pixels(face.image, [&](int, int y, QRgb p) { return y == row && p == kWhite.rgb(); });
    EXPECT_GT(underline_width, 15);

    s.effet2_on = kTrue;
    Canvas outlined = Canvas::make({150, 56}, kWindowBackground);
    ASSERT_TRUE(compose_button(outlined, grey, s));
    for (int y : {row - 1, row + 1}) {
        const int black_under_line = count_pixels(outlined.image, [&](int x, int py, QRgb p) {
            return py == y && p == qRgb(0, 0, 0) && face.image.pixel(x, row) == kWhite.rgb();
        });
        EXPECT_GE(black_under_line, underline_width * 9 / 10 - 2) << "row " << y;
    }
}

TEST(Drawing, SixteenBitOverflowFailsWithoutTouchingTheStyle) {
    Canvases c;
    ButtonStyle s = style_with("Quo");
    s.effet1_on = kTrue;
    s.text_y = 32767;
    const ButtonStyle before = s;
    EXPECT_FALSE(compose_button(c.preview, c.background, s));
    EXPECT_EQ(s.text_y, before.text_y);
    EXPECT_EQ(c.preview.image, c.background.image);  // failed at the moved origin: no pass

    s.text_y = 32766;
    EXPECT_TRUE(compose_button(c.preview, c.background, s));
    s.effet1_on = kFalse;
    s.effet2_on = kTrue;
    s.text_y = -32768;
    EXPECT_FALSE(compose_button(c.preview, c.background, s));
    EXPECT_TRUE(draw_previewtypo(c.typo, s));  // the font preview's y is a real
}

TEST(Drawing, BackgroundCopyOfAnotherSizeCopiesTheOverlap) {
    Canvas small = patterned_background({40, 20});
    Canvas preview = Canvas::make({150, 56}, kWhite);
    ButtonStyle s = style_with("");
    EXPECT_TRUE(compose_button(preview, small, s));
    EXPECT_EQ(preview.image.copy(0, 0, 40, 20), small.image);
    EXPECT_EQ(preview.image.pixel(100, 40), kWhite.rgb());
    Canvas big = patterned_background({300, 100});
    EXPECT_TRUE(compose_button(preview, big, s));
    EXPECT_EQ(preview.image, big.image.copy(0, 0, 150, 56));
}

// The label is laid out once and drawn as glyph runs; it must look as plain text output does.
TEST(Drawing, GlyphRunsMatchPlainTextOutput) {
    for (const Flag underline : {kFalse, kTrue}) {
        ButtonStyle s = style_with("Quorvane Wg", QColor(0, 0, 0));
        s.font_underline = underline;
        s.font_italic = underline;
        Canvas drawn = Canvas::make({150, 56}, kWhite);
        ASSERT_TRUE(set_label_font(drawn, s));
        ASSERT_TRUE(draw_label(drawn, s, 7, 12, YArithmetic::Int16));

        Canvas expected = Canvas::make({150, 56}, kWhite);
        expected.font = drawn.font;
        {
            QPainter p(&expected.image);
            p.setFont(expected.font);
            p.setPen(Qt::black);
            p.drawText(QPointF(7, 12 + QFontMetrics(expected.font, &expected.image).ascent()),
                       s.label_text);
        }
        const int differing = count_pixels(drawn.image, [&](int x, int y, QRgb p) {
            return std::abs(qGray(p) - qGray(expected.image.pixel(x, y))) > 8;
        });
        EXPECT_LE(differing, 2) << "underline " << underline;
        EXPECT_GT(count_colour(drawn.image, Qt::black), 20);
    }
}

}  // namespace
}  // namespace qv
