#include "core/render/stretch.h"

#include <QRgb>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

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

// How much of each source column goes into one column of a strip scaled in width: the two
// nearest columns, linearly, when widening; the columns it covers, by how much, when narrowing.
struct Weight {
    int column;
    int weight;  // out of kWhole
};
constexpr int kWhole = 1 << 12;

std::vector<std::vector<Weight>> column_weights(int from, int to) {
    std::vector<std::vector<Weight>> all(static_cast<std::size_t>(to));
    const double scale = double(from) / to;
    for (int x = 0; x < to; ++x) {
        std::vector<double> share(std::size_t(from), 0.0);
        if (to >= from) {
            const double at = std::clamp((x + 0.5) * scale - 0.5, 0.0, double(from - 1));
            const int left = int(at);
            const int right = std::min(left + 1, from - 1);
            share[std::size_t(left)] += 1.0 - (at - left);
            share[std::size_t(right)] += at - left;
        } else {
            const double begin = x * scale;
            const double end = (x + 1) * scale;
            for (int c = int(begin); c < from && c < end; ++c)
                share[std::size_t(c)] =
                    (std::min(end, c + 1.0) - std::max(begin, double(c))) / scale;
        }
        // Whole-number weights that add up to exactly kWhole, the rest to the largest share.
        int given = 0;
        std::size_t largest = 0;
        for (int c = 0; c < from; ++c) {
            if (share[std::size_t(c)] > share[largest]) largest = std::size_t(c);
            const int w = int(share[std::size_t(c)] * kWhole);
            if (w > 0) all[std::size_t(x)].push_back({c, w});
            given += w;
        }
        auto it = std::find_if(all[std::size_t(x)].begin(), all[std::size_t(x)].end(),
                               [&](const Weight& w) { return w.column == int(largest); });
        if (it == all[std::size_t(x)].end())
            all[std::size_t(x)].push_back({int(largest), kWhole - given});
        else
            it->weight += kWhole - given;
    }
    return all;
}

// Columns [from_x, from_x + from) of `src` scaled in width alone into columns [to_x, to_x + to)
// of `out`. Each colour is weighted by its pixel's alpha as well, so a clear pixel gives no colour
// to its neighbours (no dark fringe) and one colour stays exactly that colour at any alpha.
void scale_columns(const QImage& src, int from_x, int from, QImage& out, int to_x, int to) {
    const auto weights = column_weights(from, to);
    for (int y = 0; y < out.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y)) + from_x;
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y)) + to_x;
        for (int x = 0; x < to; ++x) {
            std::int64_t alpha = 0, red = 0, green = 0, blue = 0;
            for (const Weight& w : weights[std::size_t(x)]) {
                const QRgb p = in[w.column];
                const std::int64_t wa = std::int64_t(w.weight) * qAlpha(p);
                alpha += wa;
                red += wa * qRed(p);
                green += wa * qGreen(p);
                blue += wa * qBlue(p);
            }
            if (alpha == 0) {
                row[x] = 0;
                continue;
            }
            auto channel = [alpha](std::int64_t sum) { return int((sum + alpha / 2) / alpha); };
            row[x] = qRgba(channel(red), channel(green), channel(blue),
                           int((alpha + kWhole / 2) / kWhole));
        }
    }
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
        scale_columns(src, caps.left, from, out, caps.left, to);
    }
    return out;
}

}  // namespace qv
