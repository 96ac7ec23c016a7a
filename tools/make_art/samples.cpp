#include "samples.h"

#include "raster.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace qv::art {
namespace {

// A fixed pseudo-random sequence, so the brushed texture is the same on every run.
struct Noise {
    std::uint32_t state = 12345;
    int next(int range) {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 16) % static_cast<std::uint32_t>(range));
    }
};

// A rounded glossy button on a white page: rim, vertical face gradient, and a gloss band over
// the upper half.
QImage glossy(QSize size, double radius, QRgb top, QRgb bottom, QRgb rim) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(qRgb(255, 255, 255));
    const QRectF outer(0.5, 0.5, size.width() - 1.0, size.height() - 1.0);
    const QRectF inner = outer.adjusted(1.5, 1.5, -1.5, -1.5);
    const QRectF gloss(inner.left() + 3, inner.top() + 1, inner.width() - 6, inner.height() * 0.46);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const double rim_cover = rounded_rect_coverage(x, y, outer, radius);
            if (rim_cover == 0) continue;
            blend(image, x, y, rim, rim_cover);
            const double face_cover = rounded_rect_coverage(x, y, inner, radius - 1.5);
            const double t = (y + 0.5 - inner.top()) / inner.height();
            QRgb face = mix(top, bottom, std::clamp(t, 0.0, 1.0));
            // A soft glow rising from the bottom edge.
            if (t > 0.7)
                face = mix(face, mix(top, qRgb(255, 255, 255), 0.2), (t - 0.7) / 0.3 * 0.5);
            blend(image, x, y, face, face_cover);
            const double gloss_cover =
                rounded_rect_coverage(x, y, gloss, std::max(1.0, radius - 3));
            if (gloss_cover > 0) {
                const double g = (y + 0.5 - gloss.top()) / gloss.height();
                blend(image, x, y, qRgb(255, 255, 255), gloss_cover * (0.55 - 0.4 * g));
            }
        }
    return image;
}

QImage steel() {
    QImage image(150, 56, QImage::Format_RGB32);
    Noise noise;
    for (int y = 0; y < image.height(); ++y) {
        // Brushed metal: a slow wave of brightness down the plate, fine horizontal streaks.
        const double wave = 0.5 + 0.5 * std::cos((y / 55.0) * 3.14159 * 1.6 + 0.4);
        const QRgb row = mix(qRgb(120, 126, 134), qRgb(214, 218, 224), wave);
        int streak = 0;
        for (int x = 0; x < image.width(); ++x) {
            if (x % 6 == 0) streak = noise.next(15) - 7;
            put(image, x, y, shade(row, streak + noise.next(5) - 2));
        }
    }
    const QRect plate = image.rect();
    edges(image, plate, qRgb(246, 248, 250), qRgb(58, 62, 68));
    edges(image, plate.adjusted(1, 1, -1, -1), qRgb(220, 224, 228), qRgb(96, 100, 108));
    for (const QPoint centre : {QPoint(7, 7), QPoint(142, 7), QPoint(7, 48), QPoint(142, 48)}) {
        const QPointF c(centre.x() + 0.5, centre.y() + 0.5);
        disc(image, c, 3.2, [](double dx, double dy) {
            return mix(qRgb(236, 238, 240), qRgb(70, 74, 80),
                       std::clamp(0.5 + (dx + dy) / 6, 0.0, 1.0));
        });
        blend(image, centre.x() - 1, centre.y() + 1, qRgb(40, 42, 46), 0.8);
        blend(image, centre.x(), centre.y(), qRgb(40, 42, 46), 0.8);
        blend(image, centre.x() + 1, centre.y() - 1, qRgb(40, 42, 46), 0.8);
    }
    return image;
}

QImage banner() {
    QImage image(200, 80, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const double t = (x + y * 1.6) / (200 + 80 * 1.6);
            QRgb colour = t < 0.5 ? mix(qRgb(250, 196, 70), qRgb(232, 112, 40), t * 2)
                                  : mix(qRgb(232, 112, 40), qRgb(168, 40, 52), (t - 0.5) * 2);
            if (((x + y) / 10) % 2 == 0) colour = shade(colour, 10);  // faint diagonal stripes
            put(image, x, y, colour);
        }
    const QRect border = image.rect();
    edges(image, border, qRgb(255, 236, 190), qRgb(96, 24, 24));
    edges(image, border.adjusted(1, 1, -1, -1), qRgb(255, 214, 140), qRgb(140, 44, 36));
    edges(image, border.adjusted(5, 5, -5, -5), qRgb(150, 50, 30), qRgb(255, 220, 160));
    return image;
}

}  // namespace

QImage sample_background(std::string_view name) {
    if (name == "blue_glass")
        return glossy({150, 56}, 10, qRgb(74, 128, 206), qRgb(18, 46, 112), qRgb(10, 28, 70));
    if (name == "green_pill")
        return glossy({120, 40}, 19.5, qRgb(104, 196, 84), qRgb(26, 110, 34), qRgb(14, 64, 20));
    if (name == "steel") return steel();
    if (name == "wide_banner") return banner();
    return {};
}

QByteArray sample_menu() {
    QByteArray text;
    for (const char* item :
         {"Home", "News", "Products", "Services", "Downloads", "Gallery", "About us", "Contact"}) {
        text += item;
        text += "\r\n";
    }
    return text;
}

}  // namespace qv::art
