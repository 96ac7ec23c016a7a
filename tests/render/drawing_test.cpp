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
const QColor kBlack(0, 0, 0);

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

// A different colour in every pixel, so a shifted or partial copy shows.
Canvas patterned_background(QSize size) {
    Canvas c = Canvas::make(size, kWindowBackground);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) c.image.setPixel(x, y, qRgb(x, y * 4, 90));
    return c;
}

int count(const QImage& img, const std::function<bool(int, int, QRgb)>& pred) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += pred(x, y, img.pixel(x, y)) ? 1 : 0;
    return n;
}
int count(const QImage& img, QColor c) {
    return count(img, [&](int, int, QRgb p) { return p == c.rgb(); });
}

QImage button_on(const ButtonStyle& style, QColor back = kWhite) {
    Canvas preview = Canvas::make({150, 56}, kWindowBackground);
    EXPECT_TRUE(compose_button(preview, Canvas::make({150, 56}, back), style));
    return preview.image;
}

struct Canvases {
    Canvas background = patterned_background({150, 56});
    Canvas preview = Canvas::make({150, 56}, kWindowBackground);
    Canvas typo = Canvas::make({150, 36}, kPanelColour);
};

TEST(Drawing, EmptyLabelLeavesTheBackgroundWithEveryEffect) {
    Canvases c;
    ButtonStyle s = style_with("");
    s.effet1_on = s.effet2_on = s.effet3_on = kTrue;
    const PreviewResult r = draw_preview(c.preview, c.typo, c.background, s);
    EXPECT_TRUE(r.typo_ok && r.button_ok);
    EXPECT_EQ(c.preview.image, c.background.image);
    EXPECT_EQ(count(c.typo.image, kPanelColour), 150 * 36);
}

TEST(Drawing, FaceAndReliefColoursAppearInEveryFace) {
    for (const char* face : {"DejaVu Sans", ""}) {  // empty: the default face
        Canvases c;
        ButtonStyle s = style_with("Quorvane", QColor(50, 200, 0));
        s.font_name = QString::fromUtf8(face);
        const PreviewResult r = draw_preview(c.preview, c.typo, c.background, s);
        EXPECT_TRUE(r.typo_ok && r.button_ok) << face;
        EXPECT_GT(count(c.preview.image, QColor(50, 200, 0)), 20) << face;
        EXPECT_GT(count(c.typo.image, QColor(50, 200, 0)), 20) << face;
    }
    ButtonStyle s = style_with("Quorvane", QColor(50, 200, 0));
    s.font_size = QStringLiteral("20");
    s.effet3_on = kTrue;
    const QImage relief = button_on(s);
    EXPECT_GT(count(relief, QColor(0, 100, 0)), 5);
    EXPECT_GT(count(relief, QColor(150, 255, 100)), 5);
    EXPECT_GT(count(relief, QColor(50, 200, 0)), 5);
}

TEST(Drawing, ShadowLiesOnePixelDownAndRightOfTheFace) {
    ButtonStyle s = style_with("Quorvane");
    s.font_size = QStringLiteral("20");
    const QImage face = button_on(s);
    s.effet1_on = kTrue;
    const QImage shadowed = button_on(s);
    const int black = count(shadowed, [&](int x, int y, QRgb p) {
        EXPECT_TRUE(p != kBlack.rgb() || face.pixel(x - 1, y - 1) == kRed.rgb()) << x << "," << y;
        return p == kBlack.rgb();
    });
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
    // Only blends of the background with black: no red from a face.
    EXPECT_GT(count(c.preview.image, kBlack), 5);
    EXPECT_EQ(count(c.preview.image, [](int, int, QRgb p) { return qRed(p) != qBlue(p); }), 0);
    EXPECT_GT(count(c.typo.image, kBlack), 5);
    EXPECT_EQ(count(c.typo.image, [](int, int, QRgb p) { return qRed(p) > 178; }), 0);
}

TEST(Drawing, MarginsMoveOnlyTheirOwnAlignment) {
    ButtonStyle s = style_with("Quo");
    const QImage centred = button_on(s);
    s.margin_left = QStringLiteral("30");
    s.margin_right = QStringLiteral("40");
    EXPECT_EQ(button_on(s), centred);

    // Left alignment takes the margin as a real; the pass rounds it half to even.
    s.align_mode = kAlignLeft;
    s.margin_left = QStringLiteral("2.5");
    const QImage at_2_5 = button_on(s);
    s.margin_left = QStringLiteral("3.5");
    const QImage at_3_5 = button_on(s);
    EXPECT_NE(at_2_5, at_3_5);
    s.margin_left = QStringLiteral("2");
    EXPECT_EQ(button_on(s), at_2_5);
    s.margin_left = QStringLiteral("4");
    EXPECT_EQ(button_on(s), at_3_5);
}

TEST(Drawing, EveryPassDrawsTheUnderline) {
    ButtonStyle s = style_with("ann", kWhite);  // nothing below the baseline but the underline
    s.font_underline = kTrue;
    const QColor grey(128, 128, 128);
    const QImage face = button_on(s, grey);
    int row = -1;  // the lowest row holding white
    count(face, [&](int, int y, QRgb p) {
        if (p == kWhite.rgb()) row = y;
        return false;
    });
    const auto on_line = [&](int x) { return face.pixel(x, row) == kWhite.rgb(); };
    const int width = count(face, [&](int x, int y, QRgb) { return y == row && on_line(x); });
    ASSERT_GT(width, 15);

    s.effet2_on = kTrue;
    const QImage outlined = button_on(s, grey);
    for (int y : {row - 1, row + 1})
        EXPECT_GE(
            count(outlined, [&](int x, int py,
                                QRgb p) { return py == y && p == kBlack.rgb() && on_line(x); }),
            width - 4)
            << "row " << y;
}

TEST(Drawing, SixteenBitOverflowFailsWithoutTouchingTheStyle) {
    Canvases c;
    ButtonStyle s = style_with("Quo");
    s.effet1_on = kTrue;
    s.text_y = 32767;
    EXPECT_FALSE(compose_button(c.preview, c.background, s));
    EXPECT_EQ(s.text_y, 32767);
    EXPECT_EQ(c.preview.image, c.background.image);  // failed at the moved origin: no pass

    s.text_y = 32766;
    EXPECT_TRUE(compose_button(c.preview, c.background, s));
    s.effet1_on = kFalse;
    s.effet2_on = kTrue;
    s.text_y = -32768;
    EXPECT_FALSE(compose_button(c.preview, c.background, s));
    EXPECT_TRUE(draw_previewtypo(c.typo, s));  // the font preview's y is a real
}

TEST(Drawing, BackgroundOfAnotherSizeCopiesTheOverlap) {
    Canvas preview = Canvas::make({150, 56}, kWhite);
    const Canvas small = patterned_background({40, 20});
    EXPECT_TRUE(compose_button(preview, small, style_with("")));
    EXPECT_EQ(preview.image.copy(0, 0, 40, 20), small.image);
    EXPECT_EQ(preview.image.pixel(100, 40), kWhite.rgb());
}

// The label is laid out once and drawn as glyph runs; it must look as plain text output does.
TEST(Drawing, GlyphRunsMatchPlainTextOutput) {
    for (const Flag decorated : {kFalse, kTrue}) {
        ButtonStyle s = style_with(" Quorvane Wg  ", kBlack);
        s.font_underline = s.font_italic = decorated;
        Canvas drawn = Canvas::make({150, 56}, kWhite);
        ASSERT_TRUE(set_label_font(drawn, s));
        ASSERT_TRUE(draw_label(drawn, s, 7, 12, YArithmetic::Int16));

        QImage expected = Canvas::make({150, 56}, kWhite).image;
        QPainter p(&expected);
        p.setFont(drawn.font);
        p.drawText(QPointF(7, 12 + QFontMetrics(drawn.font, &expected).ascent()), s.label_text);
        p.end();
        EXPECT_LE(count(drawn.image,
                        [&](int x, int y, QRgb c) {
                            return std::abs(qGray(c) - qGray(expected.pixel(x, y))) > 8;
                        }),
                  2)
            << "decorated " << decorated;
        EXPECT_GT(count(drawn.image, kBlack), 20);
    }
}

}  // namespace
}  // namespace qv
