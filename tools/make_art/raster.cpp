#include "raster.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <queue>
#include <tuple>
#include <vector>

namespace qv::art {

QRgb mix(QRgb a, QRgb b, double t) {
    auto channel = [t](int from, int to) {
        return static_cast<int>(std::lround(from + (to - from) * t));
    };
    return qRgba(channel(qRed(a), qRed(b)), channel(qGreen(a), qGreen(b)),
                 channel(qBlue(a), qBlue(b)), channel(qAlpha(a), qAlpha(b)));
}

QRgb shade(QRgb colour, int delta) {
    auto channel = [delta](int value) { return std::clamp(value + delta, 0, 255); };
    return qRgba(channel(qRed(colour)), channel(qGreen(colour)), channel(qBlue(colour)),
                 qAlpha(colour));
}

void put(QImage& image, int x, int y, QRgb colour) {
    if (x >= 0 && y >= 0 && x < image.width() && y < image.height()) image.setPixel(x, y, colour);
}

void blend(QImage& image, int x, int y, QRgb colour, double coverage) {
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height() || coverage <= 0) return;
    // Source over: the colour's own opacity times the coverage, over whatever is there.
    const QRgb under = image.pixel(x, y);
    const double src = qAlpha(colour) / 255.0 * std::min(coverage, 1.0);
    const double dst = qAlpha(under) / 255.0;
    const double out = src + dst * (1.0 - src);
    if (out <= 0) return;
    auto channel = [&](int s, int d) {
        return static_cast<int>(std::lround((s * src + d * dst * (1.0 - src)) / out));
    };
    image.setPixel(
        x, y,
        qRgba(channel(qRed(colour), qRed(under)), channel(qGreen(colour), qGreen(under)),
              channel(qBlue(colour), qBlue(under)), static_cast<int>(std::lround(out * 255))));
}

void fill(QImage& image, const QRect& rect, QRgb colour) {
    const QRect clipped = rect & image.rect();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x) image.setPixel(x, y, colour);
}

void hline(QImage& image, int x0, int x1, int y, QRgb colour) {
    for (int x = x0; x <= x1; ++x) put(image, x, y, colour);
}

void vline(QImage& image, int x, int y0, int y1, QRgb colour) {
    for (int y = y0; y <= y1; ++y) put(image, x, y, colour);
}

void edges(QImage& image, const QRect& rect, QRgb top_left, QRgb bottom_right) {
    hline(image, rect.left(), rect.right(), rect.bottom(), bottom_right);
    vline(image, rect.right(), rect.top(), rect.bottom(), bottom_right);
    hline(image, rect.left(), rect.right() - 1, rect.top(), top_left);
    vline(image, rect.left(), rect.top(), rect.bottom() - 1, top_left);
}

void vgradient(QImage& image, const QRect& rect, QRgb top, QRgb bottom) {
    const int span = std::max(1, rect.height() - 1);
    for (int row = 0; row < rect.height(); ++row)
        hline(image, rect.left(), rect.right(), rect.top() + row,
              mix(top, bottom, static_cast<double>(row) / span));
}

void hgradient(QImage& image, const QRect& rect, QRgb left, QRgb right) {
    const int span = std::max(1, rect.width() - 1);
    for (int col = 0; col < rect.width(); ++col)
        vline(image, rect.left() + col, rect.top(), rect.bottom(),
              mix(left, right, static_cast<double>(col) / span));
}

void disc(QImage& image, QPointF centre, double radius,
          const std::function<QRgb(double, double)>& colour_at) {
    const int x0 = static_cast<int>(std::floor(centre.x() - radius));
    const int x1 = static_cast<int>(std::ceil(centre.x() + radius));
    const int y0 = static_cast<int>(std::floor(centre.y() - radius));
    const int y1 = static_cast<int>(std::ceil(centre.y() + radius));
    constexpr int kSamples = 4;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            int inside = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double px = x + (sx + 0.5) / kSamples - centre.x();
                    const double py = y + (sy + 0.5) / kSamples - centre.y();
                    if (px * px + py * py <= radius * radius) ++inside;
                }
            if (inside == 0) continue;
            const double dx = x + 0.5 - centre.x();
            const double dy = y + 0.5 - centre.y();
            blend(image, x, y, colour_at(dx, dy),
                  static_cast<double>(inside) / (kSamples * kSamples));
        }
    }
}

double rounded_rect_coverage(int x, int y, const QRectF& rect, double radius) {
    int inside = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
            const double px = x + (sx + 0.5) / 4;
            const double py = y + (sy + 0.5) / 4;
            if (!rect.contains(px, py)) continue;
            const double cx = std::clamp(px, rect.left() + radius, rect.right() - radius);
            const double cy = std::clamp(py, rect.top() + radius, rect.bottom() - radius);
            if ((px - cx) * (px - cx) + (py - cy) * (py - cy) <= radius * radius) ++inside;
        }
    return inside / 16.0;
}

namespace {

int distance2(QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b);
    const int dg = qGreen(a) - qGreen(b);
    const int db = qBlue(a) - qBlue(b);
    const int da = qAlpha(a) - qAlpha(b);
    return 2 * dr * dr + 4 * dg * dg + db * db + 8 * da * da;
}

}  // namespace

QImage to_indexed(const QImage& image, const QVector<QRgb>& palette) {
    QImage out(image.size(), QImage::Format_Indexed8);
    out.setColorTable(palette);
    std::map<QRgb, int> cache;
    for (int i = static_cast<int>(palette.size()) - 1; i >= 0; --i) cache[palette[i]] = i;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb colour = image.pixel(x, y);
            auto found = cache.find(colour);
            if (found == cache.end()) {
                int best = 0;
                for (int i = 1; i < palette.size(); ++i)
                    if (distance2(palette[i], colour) < distance2(palette[best], colour)) best = i;
                found = cache.emplace(colour, best).first;
            }
            out.setPixel(x, y, static_cast<uint>(found->second));
        }
    }
    return out;
}

QVector<QRgb> build_palette(const QVector<const QImage*>& images, QRgb first, int entries) {
    std::map<QRgb, long> counts;
    for (const QImage* image : images)
        for (int y = 0; y < image->height(); ++y)
            for (int x = 0; x < image->width(); ++x) ++counts[image->pixel(x, y)];
    counts.erase(first);
    // Most frequent first; the first colour outranks them all.
    struct Cluster {
        QRgb colour;
        long count;
        int version = 0;
        bool alive = true;
    };
    std::vector<Cluster> clusters{{first, std::numeric_limits<long>::max()}};
    std::vector<std::pair<QRgb, long>> ranked(counts.begin(), counts.end());
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    for (const auto& [colour, count] : ranked) clusters.push_back({colour, count});

    // Too many colours: merge the two closest clusters until they fit, keeping the colour of the
    // more frequent one, so flat faces and captions keep their exact colours and only the
    // finest steps of gradients and soft edges are shared.
    struct Pair {
        int distance;
        int a, b;
        int version_a, version_b;
        bool operator>(const Pair& other) const {
            return std::tie(distance, a, b) > std::tie(other.distance, other.a, other.b);
        }
    };
    std::priority_queue<Pair, std::vector<Pair>, std::greater<>> pairs;
    auto offer = [&](int a, int b) {
        if (a > b) std::swap(a, b);
        pairs.push({distance2(clusters[a].colour, clusters[b].colour), a, b, clusters[a].version,
                    clusters[b].version});
    };
    int alive = static_cast<int>(clusters.size());
    if (alive > entries)
        for (int a = 0; a < alive; ++a)
            for (int b = a + 1; b < alive; ++b) offer(a, b);
    while (alive > entries) {
        const Pair pair = pairs.top();
        pairs.pop();
        Cluster& a = clusters[pair.a];
        Cluster& b = clusters[pair.b];
        if (!a.alive || !b.alive || a.version != pair.version_a || b.version != pair.version_b)
            continue;
        Cluster& keep = a.count >= b.count ? a : b;
        Cluster& gone = a.count >= b.count ? b : a;
        keep.count =
            keep.count == std::numeric_limits<long>::max() ? keep.count : keep.count + gone.count;
        gone.alive = false;
        ++keep.version;
        --alive;
        const int kept = static_cast<int>(&keep - clusters.data());
        for (int other = 0; other < static_cast<int>(clusters.size()); ++other)
            if (other != kept && clusters[other].alive) offer(kept, other);
    }
    QVector<QRgb> palette;
    for (const Cluster& cluster : clusters)
        if (cluster.alive) palette.push_back(cluster.colour);
    while (palette.size() < entries) palette.push_back(qRgb(0, 0, 0));
    return palette;
}

}  // namespace qv::art
