// Real pixels drawn in DejaVu Sans on 96-dpi canvases.
#include "core/render/composer.h"

#include "core/io/loss_report.h"
#include "core/render/alpha_composer.h"
#include "core/render/style_conversions.h"
#include "core/render/text_renderer.h"

#include <gtest/gtest.h>
#include <QPainter>

#include <functional>

namespace {

using namespace qv;
using namespace Qt::StringLiterals;

std::string describe(const Overflow& o) {
    return o.any() ? describe_overflow(o).toStdString() : "nothing";
}

const QRgb kBlack = qRgb(0, 0, 0);

ButtonStyle style_with(const char* label, QString r = "255", QString g = "0", QString b = "0") {
    return {label, "DejaVu Sans", "10", kFalse, kFalse, kFalse, r, g,
            b,     kAlignCentre,  "0",  "0",    10};
}

// A different colour in every pixel, so a shifted or partial copy shows.
Canvas patterned_background(QSize size = {150, 56}) {
    Canvas c = Canvas::make(size, kWindowBackground);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) c.image.setPixel(x, y, qRgb(x, y * 4, 90));
    return c;
}

struct Drawn {
    QImage button, typo;
    PreviewResult result;
};
Drawn draw(const ButtonStyle& style, const Canvas& background = patterned_background()) {
    Canvas button = Canvas::make({150, 56}, kWindowBackground);
    Canvas typo = Canvas::make({150, 36}, kPanelColour);
    const PreviewResult result = draw_preview(button, typo, background, style);
    return {button.image, typo.image, result};
}

int count(const QImage& img, const std::function<bool(int, int, QRgb)>& pred) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += pred(x, y, img.pixel(x, y));
    return n;
}
int count(const QImage& img, QRgb colour) {
    return count(img, [&](int, int, QRgb p) { return p == colour; });
}
// The box of every pixel `is_ink` picks.
QRect bounds(const QImage& img, const std::function<bool(QRgb)>& is_ink) {
    QRect box;
    count(img, [&](int x, int y, QRgb p) {
        if (is_ink(p)) box |= QRect(x, y, 1, 1);
        return false;
    });
    return box;
}
// Every pixel that is not the canvas's back colour.
QRect ink_bounds(const QImage& img, QRgb back = kWindowBackground.rgb()) {
    return bounds(img, [back](QRgb p) { return p != back; });
}

TEST(Drawing, EmptyLabelLeavesTheBackgroundWithEveryEffect) {
    ButtonStyle s = style_with("");
    s.effet1_on = s.effet2_on = s.effet3_on = kTrue;
    const Drawn d = draw(s);
    EXPECT_TRUE(d.result.typo_ok && d.result.button_ok);
    EXPECT_EQ(d.button, patterned_background().image);
    EXPECT_EQ(count(d.typo, kPanelColour.rgb()), 150 * 36);
}

TEST(Drawing, FaceAndReliefColoursAppearInEveryFace) {
    for (const char* face : {"DejaVu Sans", ""}) {  // empty: the default face
        ButtonStyle s = style_with("Quorvane", "50", "200", "0");
        s.font_name = face;
        s.font_size = "20";
        s.effet3_on = kTrue;
        const Drawn d = draw(s);
        EXPECT_TRUE(d.result.typo_ok && d.result.button_ok) << face;
        for (const QImage& image : {d.button, d.typo})
            for (const QRgb colour : {qRgb(50, 200, 0), qRgb(0, 100, 0), qRgb(150, 255, 100)})
                EXPECT_GT(count(image, colour), 5) << face << " " << std::hex << colour;
    }
}

// Lit from the top left: the light shade lies above and left of the face, the dark shade below
// and right, and the top-right corner, which only the first dark pass reaches, is dark. The
// outermost pixel on each side is a shade's edge, smoothed over the white background.
TEST(Drawing, ReliefIsLightAboveLeftAndDarkBelowRight) {
    ButtonStyle s = style_with("l", "50", "200", "0");  // one upright stem
    s.font_size = "20";
    s.font_bold = kTrue;
    s.effet3_on = kTrue;
    const QImage b = draw(s, Canvas::make({150, 56}, Qt::white)).button;
    const QRect ink = ink_bounds(b, qRgb(255, 255, 255));
    ASSERT_TRUE(ink.width() > 3 && ink.height() > 10);
    const auto shade = [&](int x, int y) {
        const QRgb p = b.pixel(x, y);
        const auto distance = [p](QRgb c) {
            return std::abs(qRed(p) - qRed(c)) + std::abs(qGreen(p) - qGreen(c)) +
                   std::abs(qBlue(p) - qBlue(c));
        };
        return distance(qRgb(150, 255, 100)) < distance(qRgb(0, 100, 0)) ? "light" : "dark";
    };
    const QPoint mid = ink.center();
    EXPECT_STREQ(shade(ink.left(), mid.y()), "light");
    EXPECT_STREQ(shade(mid.x(), ink.top()), "light");
    EXPECT_STREQ(shade(ink.left(), ink.bottom()), "light");
    EXPECT_STREQ(shade(ink.right(), mid.y()), "dark");
    EXPECT_STREQ(shade(mid.x(), ink.bottom()), "dark");
    EXPECT_STREQ(shade(ink.right(), ink.top()), "dark");
}

TEST(Drawing, ShadowLiesOnePixelDownAndRightOfTheFace) {
    ButtonStyle s = style_with("Quorvane");
    s.font_size = "20";
    const QImage face = draw(s).button;
    s.effet1_on = kTrue;
    const auto shadow = [&](int x, int y, QRgb p) {
        EXPECT_TRUE(p != kBlack || face.pixel(x - 1, y - 1) == qRgb(255, 0, 0)) << x << "," << y;
        return p == kBlack;
    };
    EXPECT_GT(count(draw(s).button, shadow), 10);
}

TEST(Drawing, BadColourKeepsTheBlackPassesAndStopsBeforeTheFace) {
    ButtonStyle s = style_with("Quorvane", "255", "");
    s.effet1_on = kTrue;
    const Drawn d = draw(s, Canvas::make({150, 56}, Qt::white));
    EXPECT_FALSE(d.result.typo_ok || d.result.button_ok);
    // Only blends of the grey backgrounds with black: no red from a face.
    for (const QImage& image : {d.button, d.typo}) {
        EXPECT_GT(count(image, kBlack), 5);
        EXPECT_EQ(count(image, [](int, int, QRgb p) { return qRed(p) > qGreen(p) + 2; }), 0);
    }
}

TEST(Drawing, MarginsMoveOnlyTheirOwnAlignment) {
    ButtonStyle s = style_with("Quo");
    const QImage centred = draw(s).button;
    const auto at = [&s](const char* left) {
        s.margin_left = s.margin_right = left;
        return draw(s).button;
    };
    EXPECT_EQ(at("30"), centred);
    s.align_mode = kAlignLeft;  // a real margin, which the pass rounds half to even
    EXPECT_NE(at("2.5"), at("3.5"));
    EXPECT_EQ(at("2.5"), at("2"));
    EXPECT_EQ(at("3.5"), at("4"));
}

TEST(Drawing, SixteenBitOverflowFailsBeforeAnyPass) {
    ButtonStyle s = style_with("Quo");
    s.effet1_on = kTrue;
    s.text_y = 32767;  // the shadow's y + 1 overflows
    const Drawn d = draw(s);
    EXPECT_TRUE(!d.result.button_ok && d.result.typo_ok);  // the font preview's y is a real
    EXPECT_EQ(d.button, patterned_background().image);     // failed at the moved origin: no pass
    s.text_y = 32766;
    EXPECT_TRUE(draw(s).result.button_ok);
    s.effet1_on = kFalse;
    s.effet2_on = kTrue;
    s.text_y = -32768;  // the outline's y - 1
    EXPECT_FALSE(draw(s).result.button_ok);
}

// Every pass draws the underline in its own colour: with the outline on, black lies along both
// sides of the face's underline.
TEST(Drawing, EveryPassDrawsTheUnderline) {
    const QRgb red = qRgb(255, 0, 0);
    ButtonStyle s = style_with("ann");  // nothing below the baseline but the underline
    s.font_underline = kTrue;
    const QImage plain = draw(s).button;
    int row = -1;  // the lowest row holding the face
    count(plain, [&](int, int y, QRgb p) { return p == red && (row = y); });
    const auto on_line = [&](int x) { return plain.pixel(x, row) == red; };
    const int width = count(plain, [&](int x, int y, QRgb) { return y == row && on_line(x); });
    ASSERT_GT(width, 15);
    s.effet2_on = kTrue;
    const QImage outlined = draw(s).button;
    for (int y : {row - 1, row + 1})
        EXPECT_GE(count(outlined, [&](int x, int py,
                                      QRgb p) { return py == y && p == kBlack && on_line(x); }),
                  width - 4)
            << "row " << y;
}

// The face pass alone, in the style's font, with the line's top-left at (x, y) on a blank canvas.
QImage face_pass(const QString& label, QSize size, int x, int y, const char* points = "10") {
    Canvas canvas = Canvas::make(size, kWindowBackground);
    ButtonStyle s = style_with("");
    s.label_text = label;
    s.font_size = points;
    set_label_font(canvas, s);
    EXPECT_TRUE(draw_label(canvas, s, x, y, YArithmetic::Int16));
    return canvas.image;
}

// A line separator does not end the drawing, and a tab jumps to no tab stop: the label is drawn as
// the one line it is measured as, a tab one space wide.
TEST(Drawing, TheWholeLabelIsDrawnOnOneLineAsWideAsItIsMeasured) {
    Canvas canvas = Canvas::make({300, 60}, kWindowBackground);
    ButtonStyle s = style_with("");
    s.font_size = "20";
    set_label_font(canvas, s);
    EXPECT_EQ(text_width(canvas, "a\tb"), text_width(canvas, "a b"));
    EXPECT_EQ(face_pass("a\tb", {300, 60}, 10, 0, "20"), face_pass("a b", {300, 60}, 10, 0, "20"));
    for (const QString& label : {u"Ab\u2028Cd"_s, u"Ab\u2029Cd"_s, u"a\tb"_s}) {
        const QRect ink = ink_bounds(face_pass(label, {300, 60}, 10, 0, "20"));
        EXPECT_NEAR(ink.right() + 1 - 10, text_width(canvas, label), 3) << label.toStdString();
        EXPECT_LE(ink.bottom(), line_height(canvas)) << label.toStdString();
    }
}

// A line wholly below the button still shows the accents stacked high above it, as a plain
// drawing of the text does.
TEST(Drawing, AccentsReachingUpFromALineBelowTheButtonAreDrawn) {
    const QString label = u"o"_s + QString(12, QChar(0x0301));
    const int y = 68;  // the baseline is more than a line below the 56-pixel button
    const QImage drawn = face_pass(label, {150, 56}, 60, y);

    Canvas plain = Canvas::make({150, 56}, kWindowBackground);
    set_label_font(plain, style_with(""));
    QPainter painter(&plain.image);
    painter.setFont(plain.font);
    painter.setPen(QColor(255, 0, 0));
    painter.drawText(QPointF(60, y + QFontMetrics(plain.font, &plain.image).ascent()), label);
    painter.end();
    EXPECT_GT(ink_bounds(plain.image).height(), 10);
    EXPECT_EQ(drawn, plain.image);
}

// What the measure says lies past each edge of a 150x56 button is what drawing the label, placed
// as on the button, on a layer with room on every side puts beyond the button's rectangle.
TEST(Measuring, InkPastTheEdgesIsTheInkDrawnThere) {
    const auto styled = [](const char* label, int align, int y, const char* size,
                           const std::function<void(ButtonStyle&)>& more) {
        ButtonStyle s = style_with(label);
        s.align_mode = std::int16_t(align);
        s.text_y = std::int16_t(y);
        s.font_size = size;
        more(s);
        return s;
    };
    const struct {
        const char* what;
        ButtonStyle style;
        bool clipped;
    } cases[] = {
        {"outline, short, right aligned",
         styled("Home", kAlignRight, 20, "10", [](ButtonStyle& s) { s.effet2_on = kTrue; }), true},
        {"outline, short, centred",
         styled("Home", kAlignCentre, 20, "10", [](ButtonStyle& s) { s.effet2_on = kTrue; }),
         false},
        {"3D, right aligned",
         styled("Menu", kAlignRight, 20, "10", [](ButtonStyle& s) { s.effet3_on = kTrue; }), true},
        {"every effect, too wide",
         styled("WWWWWWWWWWWWW", kAlignCentre, 20, "12",
                [](ButtonStyle& s) {
                    s.effet1_on = s.effet2_on = s.effet3_on = kTrue;
                    s.font_bold = kTrue;
                }),
         true},
        {"underlined, low",
         styled("Quorvane", kAlignCentre, 44, "10",
                [](ButtonStyle& s) { s.font_underline = s.effet1_on = kTrue; }),
         true},
        {"accents, high",
         styled("\u00C9\u00C2", kAlignLeft, -2, "14", [](ButtonStyle& s) { s.effet3_on = kTrue; }),
         true},
        {"italic j at the left",
         styled("jam", kAlignLeft, 20, "16", [](ButtonStyle& s) { s.font_italic = kTrue; }), true},
        {"empty", styled("", kAlignLeft, -30, "10", [](ButtonStyle& s) { s.effet2_on = kTrue; }),
         false},
    };
    constexpr int kRoom = 100;  // even: a margin of n.5 rounds the same way on both
    for (const auto& c : cases) {
        const ButtonStyle& s = c.style;
        Canvas button = Canvas::make({150, 56}, kWindowBackground);
        const Overflow reported = measure_button_label(button, s).overflow;

        Canvas layer = clear_layer({150 + 2 * kRoom, 56 + 2 * kRoom});
        set_label_font(layer, s);
        const double x =
            button_origin_x(s.align_mode, 150, text_width(layer, s.label_text),
                            leading_number(s.margin_left), leading_number(s.margin_right));
        ASSERT_TRUE(draw_label(layer, s, x + kRoom, s.text_y + kRoom, YArithmetic::Int16));
        // Every pixel the label touched on the clear layer, however lightly.
        const QRect ink =
            bounds(layer.image, [](QRgb p) { return qAlpha(p) > 0; }).translated(-kRoom, -kRoom);
        const Overflow drawn =
            ink.isEmpty() ? Overflow{}
                          : Overflow{std::max(0, -ink.left()), std::max(0, ink.right() - 149),
                                     std::max(0, -ink.top()), std::max(0, ink.bottom() - 55)};
        EXPECT_EQ(reported, drawn)
            << c.what << ": reported " << describe(reported) << ", drawn " << describe(drawn);
        EXPECT_EQ(reported.any(), c.clipped) << c.what;
        LabelInk painted;  // what a drawing says of itself
        compose_button(button, Canvas::make({150, 56}, Qt::white), s, &painted);
        EXPECT_EQ(painted.overflow, reported) << c.what;
    }
}

// Each character no installed font has is named once; what a font has, by fallback too, and the
// characters that draw nothing of their own are not.
// The columns fitting measures, found from the glyphs at the label's two ends, are the columns a
// drawing inks: long and short labels, overhanging italics, marks, right-to-left, large sizes.
TEST(Measuring, InkColumnsAreTheColumnsTheLabelInks) {
    for (const char* size : {"9", "40"}) {
        for (const QString& label :
             {u"Home"_s, u"Einstellungsverwaltung"_s, u"  padded  "_s, u"fjord ff"_s,
              u"a\u0301\u0327 x\u0308"_s, u"إعدادات الخصوصية المتقدمة"_s, u"שלום עולם and more"_s,
              u"|"_s, u"W W W W W W W W W W W W W W W W W W"_s}) {
            for (bool italic : {false, true}) {
                ButtonStyle s = style_with("");
                s.label_text = label;
                s.font_size = QString::fromLatin1(size);
                s.font_italic = italic ? kTrue : kFalse;
                s.effet1_on = s.effet2_on = kTrue;
                Canvas wide = Canvas::make({2000, 120}, kWindowBackground);
                ASSERT_TRUE(set_label_font(wide, s));
                const InkSpan measured = ink_columns(wide, s, 40.5);
                ASSERT_TRUE(draw_label(wide, s, 40.5, 10, YArithmetic::Int16));
                const QRect drawn = ink_bounds(wide.image);
                SCOPED_TRACE(label.toStdString() + " at " + size + (italic ? " italic" : ""));
                EXPECT_EQ(measured.left, drawn.left());
                EXPECT_EQ(measured.right, drawn.right() + 1);
            }
        }
    }
}

TEST(Measuring, CharactersNoFontHasAreNamedOnce) {
    Canvas button = Canvas::make({150, 56}, kWindowBackground);
    ButtonStyle s = style_with("");
    // Korean, Thai, and Devanagari, which no installed font can shape
    s.label_text = u"Menu \uD55C\uAE00 \uD55C \u0E44\u0E17\u0E22 \u0928\u092E"_s;
    EXPECT_EQ(measure_button_label(button, s).missing,
              u"\uD55C\uAE00\u0E44\u0E17\u0E22\u0928\u092E"_s);
    s.label_text = u"Caf\u00E9 \u2713 \u20AC \u0416\u2028x\t\u00AD"_s;
    EXPECT_EQ(measure_button_label(button, s).missing, QString());
    s.font_name = "Liberation Sans";  // Cyrillic and the check mark from a fallback font
    EXPECT_EQ(measure_button_label(button, s).missing, QString());
}

}  // namespace
