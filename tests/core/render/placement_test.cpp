// Labels made to fit, checked from the pixels the painter draws: the ink is whatever differs from
// the same button painted without a label.
#include "core/render/button_painter.h"

#include "core/render/alpha_composer.h"

#include "ink.h"

#include <gtest/gtest.h>

namespace {

using namespace qv;

LabelLayout fitting(FitMode mode, int min_size = kDefaultMinSize) {
    return {mode, min_size, std::nullopt};
}
using namespace Qt::StringLiterals;

ButtonStyle style_with(const QString& label, const char* size = "14", int margin = 6) {
    ButtonStyle s;
    s.label_text = label;
    s.font_name = u"DejaVu Sans"_s;
    s.font_size = QString::fromLatin1(size);
    s.margin_left = s.margin_right = QString::number(margin);
    s.text_y = 14;
    s.effet2_on = kTrue;  // the outline reaches a pixel past the face on every side
    return s;
}

const Canvas& blank() {
    static const Canvas canvas = Canvas::make({150, 56}, kWindowBackground);
    return canvas;
}

struct Painted {
    QImage image;
    Placement placement;
    LabelInk ink;
};

Painted paint(const ButtonStyle& style, const LabelLayout& layout, const Canvas& bg = blank(),
              const QImage& transparent = {}) {
    ButtonPainter painter(bg, transparent, layout);
    Painted p;
    p.image = painter.paint(style, &p.ink, &p.placement).copy();
    return p;
}

// The button as it would be without its label: what the pixels are compared with.
QImage without_label(ButtonStyle style, const LabelLayout& layout, int width,
                     const Canvas& bg = blank(), const QImage& transparent = {}) {
    style.label_text.clear();
    LabelLayout as_wide = layout;
    if (as_wide.stretch) as_wide.stretch->min_width = as_wide.stretch->max_width = width;
    return paint(style, as_wide, bg, transparent).image;
}

TEST(Placement, BoxesAndLineTopsFollowTheAlignment) {
    ButtonStyle s = style_with(u"x"_s, "10", 0);
    s.margin_left = u"4"_s;
    s.margin_right = u"7"_s;
    s.align_mode = kAlignCentre;
    EXPECT_EQ(fit_box(s, 100, std::nullopt).left, 4);
    EXPECT_EQ(fit_box(s, 100, std::nullopt).right, 93);
    s.align_mode = kAlignLeft;  // the left margin places the label; only the edge bounds it
    EXPECT_EQ(fit_box(s, 100, std::nullopt).left, 0);
    EXPECT_EQ(fit_box(s, 100, std::nullopt).right, 93);
    s.align_mode = kAlignRight;
    const Stretch caps{10, 20, StretchMode::Scale, {}, {}};
    EXPECT_EQ(fit_box(s, 100, caps).left, 14);
    EXPECT_EQ(fit_box(s, 100, caps).right, 100);

    EXPECT_EQ(line_tops(10, 20, 1, 12), std::vector<int>{10});
    EXPECT_EQ(line_tops(10, 20, 2, 12), (std::vector<int>{8, 20}));  // centred on the one line
    EXPECT_EQ(line_tops(10, 19, 2, 10), (std::vector<int>{9, 19}));  // a half pixel goes up
}

TEST(Placement, TheDefaultLayoutPaintsAsBeforeAndReportsWhatDoesNotFit) {
    const ButtonStyle home = style_with(u"Home"_s);
    Painted p = paint(home, {});
    EXPECT_EQ(p.image, ButtonPainter(blank(), {}).paint(home));
    EXPECT_TRUE(p.placement.fits);
    EXPECT_EQ(p.placement.size, 14);
    EXPECT_EQ(p.placement.width, 150);
    // Shrink changes nothing for a label that fits.
    EXPECT_EQ(paint(home, fitting(FitMode::Shrink)).image, p.image);

    p = paint(style_with(u"Einstellungsverwaltung"_s), {});
    EXPECT_FALSE(p.placement.fits);
    EXPECT_EQ(p.placement.size, 14);
    EXPECT_TRUE(p.ink.overflow.left > 0 && p.ink.overflow.right > 0);
}

TEST(Placement, ShrinkGivesTheLargestSizeWhoseInkStaysInTheMargins) {
    for (const QString& label : {u"Einstellungsverwaltung"_s, u"Children's corner"_s,
                                 u"إعدادات الخصوصية المتقدمة"_s, u"Datenschutzerklärung!"_s}) {
        for (AlignMode align : {kAlignLeft, kAlignCentre, kAlignRight}) {
            ButtonStyle style = style_with(label);
            style.align_mode = align;
            style.effet1_on = kTrue;  // the shadow reaches further right and down than the outline
            const LabelLayout layout = fitting(FitMode::Shrink);
            const Painted p = paint(style, layout);
            const QRect ink = ink::box(p.image, blank().image);
            const FitBox box = fit_box(style, 150, std::nullopt);
            SCOPED_TRACE(label.toStdString() + " align " + std::to_string(align));
            ASSERT_TRUE(p.placement.fits);
            ASSERT_LT(p.placement.size, 14);
            EXPECT_GE(ink.left(), box.left);
            EXPECT_LT(ink.right(), box.right);
            EXPECT_FALSE(p.ink.overflow.any());
            // Left and right are sides of the picture, whichever way the label's script runs.
            if (align == kAlignLeft) {
                EXPECT_LE(ink.left(), 6 + 2);
            } else if (align == kAlignRight) {
                EXPECT_GE(ink.right(), 150 - 6 - 3);
            }
            // One point larger, drawn as the style would draw it, crosses the box.
            ButtonStyle larger = style;
            larger.font_size = QString::number(p.placement.size + 1);
            const QRect over = ink::box(paint(larger, {}).image, blank().image);
            EXPECT_TRUE(over.left() < box.left || over.right() >= box.right);
        }
    }
}

TEST(Placement, ShrinkStopsAtTheSmallestSizeAndSaysSo) {
    const Painted p =
        paint(style_with(u"Einstellungsverwaltungsoberfläche"_s), fitting(FitMode::Shrink, 12));
    EXPECT_EQ(p.placement.size, 12);
    EXPECT_FALSE(p.placement.fits);
    EXPECT_TRUE(p.ink.overflow.any());
}

TEST(Placement, WrapDrawsTwoWholeLinesCentredAsABlock) {
    const ButtonStyle style = style_with(u"Children's corner library"_s, "14");
    const Painted p = paint(style, fitting(FitMode::Wrap));
    ASSERT_EQ(p.placement.lines, (QStringList{u"Children's"_s, u"corner library"_s}));
    EXPECT_TRUE(p.placement.fits);
    EXPECT_FALSE(p.ink.overflow.any());
    const QRect ink = ink::box(p.image, blank().image);
    const FitBox box = fit_box(style, 150, std::nullopt);
    EXPECT_GE(ink.left(), box.left);
    EXPECT_LT(ink.right(), box.right);
    // Two bands of ink with a clear row between them, around the style's one line.
    int blank_rows = 0;
    for (int y = ink.top(); y <= ink.bottom(); ++y) {
        bool any = false;
        for (int x = 0; x < 150; ++x) any = any || p.image.pixel(x, y) != blank().image.pixel(x, y);
        blank_rows += !any;
    }
    EXPECT_GT(blank_rows, 0);
    const QRect one_line = ink::box(paint(style_with(u"Children's"_s), {}).image, blank().image);
    EXPECT_LT(ink.top(), one_line.top());
    EXPECT_GT(ink.bottom(), one_line.bottom());

    // A label without a space stays one line and shrinks.
    const Painted word = paint(style_with(u"Einstellungsverwaltung"_s), fitting(FitMode::Wrap));
    EXPECT_EQ(word.placement.lines.size(), 1);
    EXPECT_LT(word.placement.size, 14);
    EXPECT_TRUE(word.placement.fits);
}

// A different colour and alpha in every column, so a shifted or mixed copy shows.
QImage patterned(int width, int height, bool alpha) {
    QImage picture(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgba(x * 3, 100 + y, 200 - x, alpha ? 90 + x : 255));
    return picture;
}

TEST(Placement, StretchedButtonsAreAsWideAsTheirLabelAndKeepTheirCaps) {
    const QImage picture = patterned(60, 40, false);
    const Canvas bg = Canvas::from_picture(picture, kWindowBackground);
    const Stretch caps{10, 12, StretchMode::Scale, {}, {}};
    for (const QString& label : {u"OK"_s, u"Einstellungsverwaltung"_s}) {
        const ButtonStyle style = style_with(label, "14", 3);
        const Painted p = paint(style, {FitMode::None, kDefaultMinSize, caps}, bg);
        SCOPED_TRACE(label.toStdString());
        ASSERT_EQ(p.image.width(), p.placement.width);
        EXPECT_TRUE(p.placement.fits);
        const QImage under =
            without_label(style, {FitMode::None, kDefaultMinSize, caps}, p.placement.width, bg);
        const QRect ink = ink::box(p.image, under);
        const FitBox box = fit_box(style, p.placement.width, caps);
        EXPECT_GE(ink.left(), box.left);
        EXPECT_LT(ink.right(), box.right);
        // The narrowest such button: one pixel narrower, the ink crosses its box.
        const int narrower = p.placement.width - 1;
        const LabelLayout held{FitMode::None, kDefaultMinSize,
                               Stretch{10, 12, StretchMode::Scale, narrower, narrower}};
        const QRect crossing =
            ink::box(paint(style, held, bg).image, without_label(style, held, narrower, bg));
        const FitBox narrower_box = fit_box(style, narrower, caps);
        EXPECT_TRUE(crossing.left() < narrower_box.left || crossing.right() >= narrower_box.right);
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 10; ++x) ASSERT_EQ(p.image.pixel(x, y), picture.pixel(x, y));
            for (int x = 1; x <= 12; ++x)
                ASSERT_EQ(p.image.pixel(p.placement.width - x, y), picture.pixel(60 - x, y));
        }
    }
    // Held to max_width, the label shrinks to fit it.
    const Stretch bounded{10, 12, StretchMode::Tile, 70, 120};
    const Painted p =
        paint(style_with(u"Einstellungsverwaltung"_s), {FitMode::Shrink, 5, bounded}, bg);
    EXPECT_LE(p.placement.width, 120);
    EXPECT_LT(p.placement.size, 14);
    EXPECT_TRUE(p.placement.fits);
    EXPECT_EQ(paint(style_with(u"A"_s), {FitMode::Shrink, 5, bounded}, bg).placement.width, 70);
}

TEST(Placement, AlphaIsKeptAcrossTheStretch) {
    // One partly clear colour everywhere: a scaled middle that mixed in dark or clear pixels
    // would show as a different pixel.
    QImage picture(30, 20, QImage::Format_ARGB32);
    picture.fill(qRgba(250, 120, 30, 77));
    const Canvas bg = Canvas::from_picture(picture, kWindowBackground);
    for (StretchMode mode : {StretchMode::Scale, StretchMode::Tile}) {
        const Painted p = paint(style_with(u"Wide label"_s, "10", 2),
                                {FitMode::None, 5, Stretch{5, 5, mode, {}, {}}}, bg, picture);
        ASSERT_GT(p.image.width(), 30);
        ASSERT_TRUE(p.image.hasAlphaChannel());
        int untouched = 0;
        for (int y = 0; y < 20; ++y) untouched += p.image.pixel(0, y) == picture.pixel(0, y);
        EXPECT_EQ(untouched, 20);
        const QImage under = without_label(style_with(u"Wide label"_s, "10", 2),
                                           {FitMode::None, 5, Stretch{5, 5, mode, {}, {}}},
                                           p.image.width(), bg, picture);
        for (int y = 0; y < under.height(); ++y)
            for (int x = 0; x < under.width(); ++x)
                ASSERT_EQ(under.pixel(x, y), picture.pixel(0, 0)) << x << "," << y;
    }
}

}  // namespace
