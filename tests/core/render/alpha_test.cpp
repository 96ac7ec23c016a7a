// Buttons over pictures with transparency, drawn in DejaVu Sans.
#include "core/render/alpha_composer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace qv;

const QRgb kOrange = qRgb(255, 128, 0);

ButtonStyle orange(const char* label) {
    return {label, "DejaVu Sans", "20",         kTrue, kFalse, kFalse, "255",
            "128", "0",           kAlignCentre, "0",   "0",    12};
}

// Clear outside a rounded rectangle, opaque inside, with a half-transparent band; the clear
// pixels keep a colour of their own, which must survive too.
QImage rounded_picture() {
    QImage picture(150, 56, QImage::Format_ARGB32);
    for (int y = 0; y < 56; ++y)
        for (int x = 0; x < 150; ++x) {
            const double dx = std::max({0, 12 - x, x - 137});
            const double dy = std::max({0, 12 - y, y - 43});
            const bool inside = std::hypot(dx, dy) <= 12;
            const int alpha = !inside ? 0 : (y < 8 ? 100 : 255);
            picture.setPixel(x, y, qRgba(x, y * 4, 90, alpha));
        }
    return picture;
}

QImage compose(const QImage& picture, const ButtonStyle& style) {
    Canvas layer = clear_layer(picture.size());
    QImage out;
    EXPECT_TRUE(compose_over_picture(layer, picture, style, out));
    return out;
}

TEST(Transparency, UntouchedPixelsKeepThePictureExactly) {
    const QImage picture = rounded_picture();
    EXPECT_EQ(compose(picture, orange("")), picture);
    const QImage button = compose(picture, orange("Home"));
    for (QPoint corner : {QPoint(0, 0), QPoint(149, 0), QPoint(0, 55), QPoint(149, 55)})
        EXPECT_EQ(button.pixel(corner), picture.pixel(corner));
    EXPECT_EQ(button.pixel(20, 4), picture.pixel(20, 4));  // the half-transparent band
    int face = 0;
    for (int y = 0; y < 56; ++y)
        for (int x = 0; x < 150; ++x) face += button.pixel(x, y) == kOrange;
    EXPECT_GT(face, 100);  // the glyphs' insides: opaque, in the label's colour
}

// Over clear pixels a glyph's edge is partly transparent and keeps the label's colour: no dark
// or grey fringe. (Premultiplied storage rounds, more so where alpha is small.)
TEST(Transparency, EdgesOverClearPixelsArePartlyTransparentInTheLabelsColour) {
    QImage clear(150, 56, QImage::Format_ARGB32);
    clear.fill(qRgba(10, 20, 30, 0));
    const QImage button = compose(clear, orange("Home"));
    int edges = 0;
    for (int y = 0; y < 56; ++y)
        for (int x = 0; x < 150; ++x) {
            const QRgb p = button.pixel(x, y);
            if (qAlpha(p) == 0) continue;
            const int slack = 1 + 128 / qAlpha(p);
            EXPECT_EQ(qRed(p), 255);
            EXPECT_NEAR(qGreen(p), 128, slack) << x << "," << y << " alpha " << qAlpha(p);
            EXPECT_EQ(qBlue(p), 0);
            edges += qAlpha(p) < 255;
        }
    EXPECT_GT(edges, 20);
}

// A partly clear layer pixel (a glyph's edge) blends with an opaque picture pixel, and over a
// partly clear one takes alpha and colour from both.
TEST(Transparency, PartlyClearLayerOverPicturePixels) {
    const QRgb half_white = qRgba(128, 128, 128, 128);  // premultiplied
    EXPECT_EQ(over_straight(half_white, qRgb(0, 0, 0)), qRgb(128, 128, 128));
    EXPECT_EQ(over_straight(half_white, qRgba(255, 0, 0, 128)), qRgba(255, 170, 170, 192));
}

}  // namespace
