#include "core/render/stretch.h"

#include <QRgb>

#include <algorithm>
#include <cstring>

namespace qv {
namespace {

// `total` split between two parts in proportion to a and b, the first rounded down.
Caps share(int total, int a, int b) {
    const int first = a + b == 0 ? 0 : int(static_cast<long long>(total) * a / (a + b));
    return {first, total - first};
}

// Columns [from_x, from_x + n) of `from` to columns [to_x, to_x + n) of `to`, both 32-bit, as is.
void copy_columns(const QImage& from, int from_x, QImage& to, int to_x, int n) {
    if (n <= 0) return;
    for (int y = 0; y < to.height(); ++y)
        std::memcpy(reinterpret_cast<QRgb*>(to.scanLine(y)) + to_x,
                    reinterpret_cast<const QRgb*>(from.constScanLine(y)) + from_x,
                    sizeof(QRgb) * std::size_t(n));
}

// The middle strip smoothly scaled to `width`. Scaling straight ARGB would mix the colour of
// clear pixels into their neighbours; premultiplied, a clear pixel adds nothing.
QImage scaled_middle(const QImage& middle, int width) {
    if (!middle.hasAlphaChannel())
        return middle.scaled(width, middle.height(), Qt::IgnoreAspectRatio,
                             Qt::SmoothTransformation);
    return middle.convertToFormat(QImage::Format_ARGB32_Premultiplied)
        .scaled(width, middle.height(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

int clamped_width(long long width, const Stretch& s) {
    if (s.max_width) width = std::min<long long>(width, *s.max_width);
    if (s.min_width) width = std::max<long long>(width, *s.min_width);
    return int(std::clamp<long long>(width, 1, kMaxStretchWidth));
}

int needed_width(int ink_width, int margin_left, int margin_right, const Stretch& s) {
    return clamped_width(static_cast<long long>(std::max(ink_width, 0)) + margin_left +
                             margin_right + s.left_cap + s.right_cap,
                         s);
}

Caps caps_on(int picture_width, const Stretch& s) {
    const int left = std::max(s.left_cap, 0);
    const int right = std::max(s.right_cap, 0);
    const int room = std::max(picture_width, 1) - 1;  // the columns the caps may take
    if (static_cast<long long>(left) + right <= room) return {left, right};
    return share(room, left, right);
}

QImage stretch_picture(const QImage& picture, const Stretch& s, int width) {
    if (picture.isNull()) return {};
    const QImage src = picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                         : QImage::Format_RGB32);
    const int w = clamped_width(width, s);
    QImage out(w, src.height(), src.format());
    out.setDotsPerMeterX(src.dotsPerMeterX());
    out.setDotsPerMeterY(src.dotsPerMeterY());

    Caps caps = caps_on(src.width(), s);
    if (caps.left + caps.right > w) caps = share(w, caps.left, caps.right);
    copy_columns(src, 0, out, 0, caps.left);
    copy_columns(src, src.width() - caps.right, out, w - caps.right, caps.right);

    const int from = src.width() - caps.left - caps.right;  // at least 1 unless cut short above
    const int to = w - caps.left - caps.right;
    if (to <= 0 || from <= 0) return out;
    if (to == from) {
        copy_columns(src, caps.left, out, caps.left, to);
    } else if (s.mode == StretchMode::Tile) {
        for (int x = 0; x < to; x += from)
            copy_columns(src, caps.left, out, caps.left + x, std::min(from, to - x));
    } else {
        const QImage middle = scaled_middle(src.copy(caps.left, 0, from, src.height()), to);
        copy_columns(middle, 0, out, caps.left, to);
    }
    return out;
}

}  // namespace qv
