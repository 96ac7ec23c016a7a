#include "core/render/stretch.h"

#include <QRgb>

#include <algorithm>
#include <cmath>
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

// How each column of a scaled row is made from the source row: widened, or narrowed to no less
// than half, from the two source columns nearest its centre by linear interpolation (at half, the
// mean of the two it covers); narrowed further, from every source column it covers, by how much
// it covers of each. Weights are 256ths and sum to 256.
struct Taps {
    bool two = true;
    std::vector<int> column;            // two: the left one of the two
    std::vector<std::uint32_t> weight;  // two: the right one's weight
    std::vector<int> first;             // otherwise: per column, its first tap, and the end
};

Taps taps_for(int from, int to) {
    constexpr std::uint32_t kOne = 256;
    Taps t;
    t.two = from <= 2LL * to;
    if (t.two) {
        for (int x = 0; x < to; ++x) {
            const double at = (x + 0.5) * from / to - 0.5;
            const int left = std::clamp(int(std::floor(at)), 0, from - 1);
            t.column.push_back(left);
            // Past the last column the right one is the left one again.
            t.weight.push_back(
                left + 1 < from ? std::uint32_t(std::lround(std::clamp(at - left, 0.0, 1.0) * kOne))
                                : 0);
        }
        return t;
    }
    for (int x = 0; x < to; ++x) {
        t.first.push_back(int(t.column.size()));
        const double begin = double(x) * from / to;
        const double end = double(x + 1) * from / to;
        const int last = std::min(int(std::ceil(end)), from) - 1;
        std::uint32_t given = 0;
        for (int c = int(begin); c <= last; ++c) {
            const double covered = std::min(end, c + 1.0) - std::max(begin, double(c));
            // The last takes what rounding left, so that the weights sum to one exactly.
            const std::uint32_t w =
                c == last ? kOne - given
                          : std::min(kOne - given,
                                     std::uint32_t(std::lround(covered / (end - begin) * kOne)));
            t.column.push_back(c);
            t.weight.push_back(w);
            given += w;
        }
    }
    t.first.push_back(int(t.column.size()));
    return t;
}

// Columns [from_x, from_x + from) of `src` scaled to columns [to_x, to_x + to) of `out`, row by
// row (the height does not change). The pixels must be premultiplied (or opaque): a clear pixel
// then adds nothing to its neighbours, where straight ARGB would mix in the colour of clear pixels
// and leave a dark fringe where clear and opaque pixels meet. Two channels are weighed at once,
// each in 16 bits of a 32-bit word: with weights summing to 256 neither carries into the other.
void scale_columns(const QImage& src, int from_x, int from, QImage& out, int to_x, int to) {
    constexpr std::uint32_t kLanes = 0x00ff00ffu;
    constexpr std::uint32_t kHalf = 0x00800080u;
    const auto weighed = [](std::uint32_t rb, std::uint32_t ag) {
        return (((rb + kHalf) >> 8) & kLanes) | ((ag + kHalf) & ~kLanes);
    };
    const Taps taps = taps_for(from, to);
    for (int y = 0; y < out.height(); ++y) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(src.constScanLine(y)) + from_x;
        auto* row = reinterpret_cast<std::uint32_t*>(out.scanLine(y)) + to_x;
        if (taps.two) {
            for (int x = 0; x < to; ++x) {
                const std::uint32_t* p = in + taps.column[std::size_t(x)];
                const std::uint32_t w = taps.weight[std::size_t(x)];
                const std::uint32_t right = w ? p[1] : 0;
                row[x] = weighed((p[0] & kLanes) * (256 - w) + (right & kLanes) * w,
                                 ((p[0] >> 8) & kLanes) * (256 - w) + ((right >> 8) & kLanes) * w);
            }
            continue;
        }
        for (int x = 0; x < to; ++x) {
            std::uint32_t rb = 0, ag = 0;
            const int end = taps.first[std::size_t(x) + 1];
            for (int k = taps.first[std::size_t(x)]; k < end; ++k) {
                const std::uint32_t p = in[taps.column[std::size_t(k)]];
                const std::uint32_t w = taps.weight[std::size_t(k)];
                rb += (p & kLanes) * w;
                ag += ((p >> 8) & kLanes) * w;
            }
            row[x] = weighed(rb, ag);
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
    } else if (!src.hasAlphaChannel()) {
        scale_columns(src, caps.left, from, out, caps.left, to);
    } else {
        // Scaled premultiplied; the caps keep their exact, unpremultiplied pixels.
        const QImage middle = src.copy(caps.left, 0, from, src.height())
                                  .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QImage scaled(to, src.height(), QImage::Format_ARGB32_Premultiplied);
        scale_columns(middle, 0, from, scaled, 0, to);
        copy_columns(scaled.convertToFormat(QImage::Format_ARGB32), 0, out, caps.left, to);
    }
    return out;
}

}  // namespace qv
