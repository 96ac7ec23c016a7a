#include "core/render/alpha_composer.h"

#include "core/render/composer.h"

#include <algorithm>

namespace qv {
namespace {

// v / 255 rounded, for v up to 255 * 255.
constexpr int div255(int v) {
    return (v + 128 + ((v + 128) >> 8)) >> 8;
}

}  // namespace

QRgb over_straight(QRgb layer, QRgb picture) {
    const int la = qAlpha(layer);
    if (la == 0) return picture;
    if (la == 255) return layer;  // opaque: premultiplied and straight are the same
    const int pa = qAlpha(picture);
    // What shows of the picture through the layer, premultiplied.
    const int through = div255(pa * (255 - la));
    const int alpha = la + through;
    auto channel = [&](int l, int p) {
        const int premultiplied = l + div255(p * through);
        return std::min(255, (premultiplied * 255 + alpha / 2) / alpha);
    };
    return qRgba(channel(qRed(layer), qRed(picture)), channel(qGreen(layer), qGreen(picture)),
                 channel(qBlue(layer), qBlue(picture)), alpha);
}

Canvas clear_layer(QSize size) {
    Canvas layer;
    layer.image = QImage(size, QImage::Format_ARGB32_Premultiplied);
    set_screen_resolution(layer.image);
    layer.back_colour = Qt::transparent;
    layer.clear();
    return layer;
}

void lay_over_picture(const QImage& layer, const QImage& picture, QImage& out) {
    const QImage under = picture.convertToFormat(QImage::Format_ARGB32);  // shared when it is
    if (out.size() != picture.size() || out.format() != QImage::Format_ARGB32)
        out = QImage(picture.size(), QImage::Format_ARGB32);
    set_screen_resolution(out);
    for (int y = 0; y < under.height(); ++y) {
        const auto* top = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
        const auto* bottom = reinterpret_cast<const QRgb*>(under.constScanLine(y));
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < under.width(); ++x) row[x] = over_straight(top[x], bottom[x]);
    }
}

bool compose_over_picture(Canvas& layer, const QImage& picture, const ButtonStyle& style,
                          QImage& out, LabelInk* ink) {
    layer.clear();
    // The composer copies a background first; the layer's own clear pixels serve as one.
    const Canvas clear = layer;
    const bool ok = compose_button(layer, clear, style, ink);
    lay_over_picture(layer.image, picture, out);
    return ok;
}

}  // namespace qv
