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

// How each column of a row scaled in width is made from the source row: widened or narrowed to no
// less than half, from the two nearest source columns linearly; narrowed further, from every
// source column it covers, by how much it covers of each. Weights are 256ths; each column's add up
// to 256 exactly.
struct Taps {
    std::vector<int> first;  // per column its first tap, and one past the last column's
    std::vector<int> column;
    std::vector<std::uint32_t> weight;
};

Taps taps_for(int from, int to) {
    constexpr double kOne = 256;
    Taps t;
    for (int x = 0; x < to; ++x) {
        t.first.push_back(int(t.column.size()));
        double begin, end;  // the source span, in columns
        if (2 * to >= from) {
            const double at = std::clamp((x + 0.5) * from / to - 0.5, 0.0, double(from - 1));
            begin = at;  // a span one column wide starting at `at` covers its two neighbours
            end = std::min(at + 1.0, double(from));
        } else {
            begin = double(x) * from / to;
            end = double(x + 1) * from / to;
        }
        const int last = std::min(int(std::ceil(end)), from) - 1;
        std::uint32_t given = 0;
        for (int c = int(begin); c <= last; ++c) {
            const double covered = std::min(end, c + 1.0) - std::max(begin, double(c));
            // The last takes what rounding left, so that the weights add up exactly.
            const std::uint32_t w =
                c == last ? 256 - given
                          : std::min(256 - given,
                                     std::uint32_t(std::lround(covered / (end - begin) * kOne)));
            t.column.push_back(c);
            t.weight.push_back(w);
            given += w;
        }
    }
    t.first.push_back(int(t.column.size()));
    return t;
}

// Columns [from_x, from_x + from) of `src` scaled in width alone into columns [to_x, to_x + to)
// of `out` (straight ARGB or RGB). Each colour is weighted by its pixel's alpha as well as by its
// tap, so a clear pixel gives no colour to its neighbours (no dark fringe) and a picture of one
// colour keeps exactly that colour at any alpha.
void scale_columns(const QImage& src, int from_x, int from, QImage& out, int to_x, int to) {
    constexpr std::uint32_t kOpaque = 255 * 256;
    const Taps taps = taps_for(from, to);
    if (!src.hasAlphaChannel()) {
        // Every pixel opaque: two channels weighed at once, each in 16 bits of a 32-bit word
        // (with weights adding up to 256 neither carries into the other). The same values as
        // below, where the alpha weights cancel out.
        constexpr std::uint32_t kLanes = 0x00ff00ffu;
        constexpr std::uint32_t kHalf = 0x00800080u;
        for (int y = 0; y < out.height(); ++y) {
            const auto* in = reinterpret_cast<const std::uint32_t*>(src.constScanLine(y)) + from_x;
            auto* row = reinterpret_cast<std::uint32_t*>(out.scanLine(y)) + to_x;
            for (int x = 0; x < to; ++x) {
                std::uint32_t red_blue = 0, green = 0;
                const int begin = taps.first[std::size_t(x)];
                const int end = taps.first[std::size_t(x) + 1];
                if (end - begin == 2) {  // the usual case, unrolled
                    const std::uint32_t p = in[taps.column[std::size_t(begin)]];
                    const std::uint32_t q = in[taps.column[std::size_t(begin) + 1]];
                    const std::uint32_t w = taps.weight[std::size_t(begin)];
                    const std::uint32_t v = 256 - w;
                    red_blue = (p & kLanes) * w + (q & kLanes) * v;
                    green = ((p >> 8) & 0xffu) * w + ((q >> 8) & 0xffu) * v;
                } else {
                    for (int k = begin; k < end; ++k) {
                        const std::uint32_t p = in[taps.column[std::size_t(k)]];
                        const std::uint32_t w = taps.weight[std::size_t(k)];
                        red_blue += (p & kLanes) * w;
                        green += ((p >> 8) & 0xffu) * w;
                    }
                }
                row[x] = 0xff000000u | (((red_blue + kHalf) >> 8) & kLanes) |
                         ((green + 0x80u) & 0xff00u);
            }
        }
        return;
    }
    for (int y = 0; y < out.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y)) + from_x;
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y)) + to_x;
        for (int x = 0; x < to; ++x) {
            std::uint32_t alpha = 0, red = 0, green = 0, blue = 0;  // at most 256 * 255 * 255
            const int end = taps.first[std::size_t(x) + 1];
            for (int k = taps.first[std::size_t(x)]; k < end; ++k) {
                const QRgb p = in[taps.column[std::size_t(k)]];
                const std::uint32_t wa = taps.weight[std::size_t(k)] * std::uint32_t(qAlpha(p));
                alpha += wa;
                red += wa * std::uint32_t(qRed(p));
                green += wa * std::uint32_t(qGreen(p));
                blue += wa * std::uint32_t(qBlue(p));
            }
            if (alpha == kOpaque) {  // the common case: a constant divisor, which is cheap
                row[x] =
                    qRgb(int((red + kOpaque / 2) / kOpaque), int((green + kOpaque / 2) / kOpaque),
                         int((blue + kOpaque / 2) / kOpaque));
            } else if (alpha == 0) {
                row[x] = 0;
            } else {
                const auto channel = [alpha](std::uint32_t sum) {
                    return int((sum + alpha / 2) / alpha);
                };
                row[x] =
                    qRgba(channel(red), channel(green), channel(blue), int((alpha + 128) >> 8));
            }
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

QImage picture_at_width(const QImage& picture, const std::optional<Stretch>& stretch, int width) {
    if (!stretch || picture.isNull() || width == picture.width()) return picture;
    return stretch_picture(picture, *stretch, width);
}

}  // namespace qv
