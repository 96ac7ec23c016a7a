#include "extras.h"

#include "pixel_font.h"
#include "raster.h"
#include "window/skin/skin_layout.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace qv::art {

QImage gauge_bar() {
    QImage image(layout::kGaugeSize, QImage::Format_RGB32);
    const int last = image.width() - 1;
    for (int x = 0; x < image.width(); ++x) {
        const QRgb base =
            mix(qRgb(206, 104, 18), qRgb(255, 204, 64), static_cast<double>(x) / last);
        put(image, x, 0, mix(base, qRgb(255, 255, 255), 0.5));
        put(image, x, 1, base);
        put(image, x, 2, mix(base, qRgb(0, 0, 0), 0.35));
    }
    return image.convertToFormat(QImage::Format_RGB888);
}

QImage program_icon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const double s = size / 32.0;
    const QRectF back(7 * s, 2 * s, 23 * s, 15 * s);
    const QRectF front(1 * s, 11 * s, 29 * s, 19 * s);
    const double radius = 4 * s;
    auto paint_button = [&](const QRectF& rect, QRgb top, QRgb bottom, QRgb rim) {
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const double outer = rounded_rect_coverage(x, y, rect, radius);
                if (outer == 0) continue;
                const double inner = rounded_rect_coverage(x, y, rect.adjusted(s, s, -s, -s),
                                                           std::max(0.5, radius - s));
                const double t = std::clamp((y + 0.5 - rect.top()) / rect.height(), 0.0, 1.0);
                QRgb face = mix(top, bottom, t);
                if (y + 0.5 < rect.top() + rect.height() * 0.45)
                    face = mix(face, qRgb(255, 255, 255), 0.18);
                blend(image, x, y, rim, outer);
                if (inner > 0) blend(image, x, y, face, inner);
            }
    };
    paint_button(back, qRgb(214, 212, 198), qRgb(150, 148, 134), qRgb(60, 58, 50));
    paint_button(front, qRgb(110, 130, 168), qRgb(40, 52, 80), qRgb(16, 20, 32));
    // The product's initial on the front button: the font's Q, one font pixel per 16th of the icon.
    const int scale = std::max(1, size / 16);
    QImage glyph(5, kFontAscent, QImage::Format_ARGB32);
    glyph.fill(Qt::transparent);
    draw_text(glyph, {0, 0}, "Q", qRgb(255, 255, 255));
    const int gx = static_cast<int>(front.left() + (front.width() - 5 * scale) / 2);
    const int gy = static_cast<int>(front.top() + (front.height() - kFontAscent * scale) / 2);
    for (int y = 0; y < kFontAscent * scale; ++y)
        for (int x = 0; x < 5 * scale; ++x)
            if (qAlpha(glyph.pixel(x / scale, y / scale)))
                put(image, gx + x, gy + y, qRgb(255, 214, 96));
    return image;
}

QImage preview_cursor() {
    constexpr int kSize = 32;
    // The shape as a mask: a vertical double arrow through the centre over a dashed text line,
    // so the pointer says "drag the text line up or down".
    std::vector<std::vector<int>> mask(kSize, std::vector<int>(kSize, 0));
    auto set = [&](int x, int y, int value) {
        if (x >= 0 && y >= 0 && x < kSize && y < kSize) mask[y][x] = value;
    };
    constexpr int kBody = 1;
    constexpr int kMark = 2;
    // The text line: a dashed guide across the pointer, under the arrow.
    for (int x = 3; x <= 29; ++x)
        if ((x - 3) % 4 != 3) set(x, 16, kMark);
    for (int row = 0; row < 6; ++row)
        for (int dx = -row; dx <= row; ++dx) {
            set(16 + dx, 3 + row, kBody);   // upper head, tip at (16, 3)
            set(16 + dx, 29 - row, kBody);  // lower head, tip at (16, 29)
        }
    for (int y = 9; y <= 23; ++y)
        for (int x = 15; x <= 17; ++x) set(x, y, kBody);
    QImage image(kSize, kSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            if (mask[y][x] == kBody) {
                put(image, x, y, qRgb(255, 255, 255));
            } else if (mask[y][x] == kMark) {
                put(image, x, y, qRgb(255, 176, 32));
            } else {
                bool edge = false;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx;
                        const int ny = y + dy;
                        if (nx >= 0 && ny >= 0 && nx < kSize && ny < kSize && mask[ny][nx])
                            edge = true;
                    }
                if (edge) put(image, x, y, qRgb(0, 0, 0));
            }
        }
    return image;
}

}  // namespace qv::art
