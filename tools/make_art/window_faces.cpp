#include "pixel_font.h"
#include "raster.h"
#include "skins.h"
#include "window/skin/skin_layout.h"

#include <algorithm>
#include <cmath>

namespace qv::art {
namespace {

using layout::Art;

void draw_items(QImage& image, std::span<const layout::Item> items, const Theme& theme) {
    for (const layout::Item& item : items)
        if (item.art == Art::TitleStrip) draw_item(image, item, theme, false, image.rect());
    for (const layout::Item& item : items)
        if (item.art != Art::TitleStrip) draw_item(image, item, theme, false, image.rect());
}

// The product name in large pixel letters: each font pixel becomes a 3 x 3 block, filled with a
// vertical gradient, ringed with a dark outline and dropped on a soft shadow.
void big_title(QImage& image, QPoint top_left, std::string_view text, int scale) {
    const int width = text_width(text) * scale;
    const int height = kFontHeight * scale;
    QImage small(text_width(text), kFontHeight, QImage::Format_ARGB32);
    small.fill(Qt::transparent);
    draw_text(small, {0, 0}, text, qRgb(255, 255, 255));
    auto ink = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= width || y >= height) return false;
        return qAlpha(small.pixel(x / scale, y / scale)) != 0;
    };
    const QRgb outline = qRgb(20, 16, 10);
    for (int y = -2; y < height + 3; ++y)
        for (int x = -2; x < width + 3; ++x) {
            const int px = top_left.x() + x;
            const int py = top_left.y() + y;
            if (ink(x, y)) {
                const double t = static_cast<double>(y) / (kFontAscent * scale - 1);
                QRgb colour = t < 0.45 ? mix(qRgb(255, 246, 196), qRgb(255, 200, 72), t / 0.45)
                                       : mix(qRgb(246, 164, 40), qRgb(196, 96, 16),
                                             std::min(1.0, (t - 0.45) / 0.55));
                put(image, px, py, colour);
                continue;
            }
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx) near = ink(x + dx, y + dy);
            if (near) {
                put(image, px, py, outline);
            } else if (ink(x - 2, y - 2) || ink(x - 3, y - 3)) {
                blend(image, px, py, qRgb(0, 0, 0), 0.45);
            }
        }
}

}  // namespace

QImage splash_face() {
    const Theme& theme = warm_theme();
    QImage image(layout::kSplashSize, QImage::Format_RGB32);
    image.fill(theme.panel);
    panel_edges(image, image.rect(), theme);
    // The logo well: dark, so that the start-up message (white, Label1) reads on it.
    const QRect well(5, 21, 175, 65);
    vgradient(image, well, qRgb(40, 50, 74), qRgb(22, 28, 42));
    sunken_frame(image, well, theme, 2);
    // A warm glow behind the name, fading out before the message line.
    const QPointF glow(image.width() / 2.0, 38.0);
    for (int y = well.top(); y < 70; ++y)
        for (int x = well.left(); x <= well.right(); ++x) {
            const double dx = (x + 0.5 - glow.x()) / 86.0;
            const double dy = (y + 0.5 - glow.y()) / 26.0;
            const double fall = 1.0 - std::sqrt(dx * dx + dy * dy);
            if (fall > 0) blend(image, x, y, qRgb(170, 110, 40), 0.45 * fall * fall);
        }
    const std::string_view name = "Quorvane";
    const int scale = 3;
    const int name_x = (image.width() - text_width(name) * scale) / 2;
    big_title(image, {name_x, 26}, name, scale);
    const layout::Item& slot = layout::splash_item("Image1");
    const std::string_view tagline = "bitmap button maker";
    draw_text(
        image,
        {slot.rect.left() + (slot.rect.width() - text_width(tagline)) / 2, text_top(slot.rect)},
        tagline, qRgb(196, 204, 222));
    // The gauge runs in a sunken slot.
    const layout::Item& gauge = layout::splash_item("Picture_Gauge");
    fill(image, gauge.rect, qRgb(36, 34, 30));
    draw_items(image, layout::splash_items(), theme);
    return image;
}

QImage chooser_face() {
    const Theme& theme = dark_theme();
    QImage image(layout::kChooserSize, QImage::Format_RGB32);
    image.fill(theme.panel);
    panel_edges(image, image.rect(), theme);
    for (const layout::Caption& caption : layout::chooser_captions())
        draw_caption(image, caption, theme);
    draw_items(image, layout::chooser_items(), theme);
    return image;
}

}  // namespace qv::art
