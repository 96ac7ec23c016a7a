#pragma once
// The four kinds of background a PNG set is made over, and buttons drawn on them as the tool
// draws them: the flat sample pill, a vertical gradient, a photographic texture that has been
// through JPEG, and a picture with transparent corners and a soft shadow. Made here, so the PNG
// test and the PNG benchmark see the same pixels on every machine.
#include "core/io/picture_loader.h"
#include "core/render/alpha_composer.h"
#include "core/render/composer.h"
#include "core/render/text_renderer.h"

#include <QBuffer>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <vector>

namespace samples {

struct Picture {
    const char* name;
    QImage image;  // ARGB32 when it has alpha, else RGB32
};

inline QImage flat_pill() {
    return QImage(QStringLiteral(QUORVANE_SOURCE_DIR "/buttons/green_pill.bmp"))
        .convertToFormat(QImage::Format_RGB32);
}

// A 150 x 56 button face shaded from `first` at the top left to `last` at `end`.
inline QImage gradient(QPointF end, QColor first, QColor last) {
    QImage picture(150, 56, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient shade(QPointF(0, 0), end);
    shade.setColorAt(0, first);
    shade.setColorAt(1, last);
    painter.fillRect(picture.rect(), shade);
    return picture;
}

// Smooth noise at four scales (each a grid of seeded values, interpolated), a colour cast that
// drifts across the picture, and fine grain; then JPEG at quality 85, whose blocks and ringing a
// photograph brought in from the web has.
inline QImage photographic() {
    constexpr int kW = 150, kH = 56;
    std::mt19937 random(20);  // its output is fixed by the standard for a seed
    const auto unit = [&random] { return double(random() % 10000) / 10000.0; };
    std::vector<double> luma(size_t(kW * kH), 0.0);
    for (const int cell : {32, 16, 8, 4}) {
        const int gw = kW / cell + 2, gh = kH / cell + 2;
        std::vector<double> grid(size_t(gw * gh));
        for (double& g : grid) g = unit();
        const double weight = cell / 60.0;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                const double fx = double(x) / cell, fy = double(y) / cell;
                const int ix = int(fx), iy = int(fy);
                const double tx = fx - ix, ty = fy - iy;
                const auto at = [&](int gx, int gy) { return grid[size_t(gy * gw + gx)]; };
                const double top = at(ix, iy) * (1 - tx) + at(ix + 1, iy) * tx;
                const double bottom = at(ix, iy + 1) * (1 - tx) + at(ix + 1, iy + 1) * tx;
                luma[size_t(y * kW + x)] += weight * (top * (1 - ty) + bottom * ty);
            }
    }
    QImage picture(kW, kH, QImage::Format_RGB32);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const double l = 40 + 150 * luma[size_t(y * kW + x)];
            const int grain = int(random() % 13) - 6;
            const auto channel = [&](double cast) {
                return std::clamp(int(l * cast) + grain, 0, 255);
            };
            picture.setPixel(
                x, y,
                qRgb(channel(1.0 + 0.3 * x / kW), channel(0.95), channel(0.7 + 0.3 * y / kH)));
        }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPEG", 85);
    return QImage::fromData(jpeg, "JPEG").convertToFormat(QImage::Format_RGB32);
}

// The picture as Qt's own writer saves it: libpng's filters at zlib's default level.
inline QByteArray qt_png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A rounded button with a gradient face on a clear ground, its soft shadow partly transparent.
inline QImage with_alpha() {
    QImage picture(150, 56, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 6; i > 0; --i) {
        QPainterPath shadow;
        shadow.addRoundedRect(QRectF(4 - i * 0.5, 6 - i * 0.5, 144 + i, 48 + i), 20, 20);
        painter.fillPath(shadow, QColor(0, 0, 0, 18));
    }
    QPainterPath face;
    face.addRoundedRect(QRectF(2, 2, 144, 48), 20, 20);
    QLinearGradient gradient(0, 2, 0, 50);
    gradient.setColorAt(0, QColor(250, 140, 60));
    gradient.setColorAt(1, QColor(190, 60, 20));
    painter.fillPath(face, gradient);
    painter.end();
    return picture.convertToFormat(QImage::Format_ARGB32);
}

inline std::vector<Picture> pictures() {
    return {{"flat pill", flat_pill()},
            {"vertical gradient", gradient({0, 56}, QColor(70, 110, 210), QColor(10, 30, 90))},
            {"photographic JPEG", photographic()},
            {"alpha", with_alpha()}};
}

// `count` buttons over `picture` with shadow, outline and 3D, the label centred as the tool
// centres it; over a picture with alpha the label is laid over it as the tool does for PNG.
inline std::vector<QImage> buttons(const QImage& picture, int count) {
    const qv::Canvas back = qv::Canvas::from_picture(qv::flattened(picture, qv::kWindowBackground),
                                                     qv::kWindowBackground);
    const bool alpha = picture.hasAlphaChannel();
    qv::Canvas canvas = alpha ? qv::clear_layer(picture.size())
                              : qv::Canvas::make(picture.size(), qv::kWindowBackground);
    qv::ButtonStyle s;
    s.font_name = QStringLiteral("DejaVu Sans");
    s.effet1_on = s.effet2_on = s.effet3_on = qv::kTrue;
    {
        qv::Canvas measure = qv::Canvas::make(picture.size(), qv::kWindowBackground);
        qv::set_label_font(measure, s);
        s.text_y = qv::centred_text_y(measure.height(), qv::line_height(measure));
    }
    static const std::array words = {"Home",     "News", "Contact",  "About us",
                                     "Products", "Help", "Download", "Shop"};
    std::vector<QImage> list;
    QImage out;
    for (int i = 0; i < count; ++i) {
        s.label_text = QStringLiteral("%1 %2").arg(words[size_t(i) % words.size()]).arg(i);
        if (alpha) {
            qv::compose_over_picture(canvas, picture, s, out);
            list.push_back(out.copy());
        } else {
            qv::compose_button(canvas, back, s);
            list.push_back(canvas.image.copy());
        }
    }
    return list;
}

}  // namespace samples
