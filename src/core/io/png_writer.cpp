#include "core/io/png_writer.h"

#include <QtEndian>

#include <libdeflate.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace qv {
namespace {

void put32(QByteArray& out, std::uint32_t v) {
    char bytes[4];
    qToBigEndian(v, bytes);
    out.append(bytes, 4);
}

void chunk(QByteArray& out, const char (&type)[5], QByteArrayView data) {
    put32(out, std::uint32_t(data.size()));
    const qsizetype start = out.size();
    out.append(type, 4);
    out.append(data);
    put32(out, libdeflate_crc32(0, out.constData() + start, size_t(out.size() - start)));
}

// libpng's guess at how well a filtered row compresses: the sum of its bytes taken as signed.
unsigned cost(const std::uint8_t* __restrict filtered, size_t n) {
    unsigned sum = 0;
    for (size_t i = 0; i < n; ++i) {
        const int v = std::int8_t(filtered[i]);
        sum += unsigned(v < 0 ? -v : v);
    }
    return sum;
}

}  // namespace

// Each filter is one plain loop with no branch and no carried value (the predictors read the
// unfiltered rows), so the compiler turns it into vector code; `row` and `above` are readable
// from -bpp, where they hold zeros: the pixel left of the first one.
void filter_row(PngFilter filter, const std::uint8_t* __restrict row,
                const std::uint8_t* __restrict above, size_t n, int bpp,
                std::uint8_t* __restrict out) {
    const std::uint8_t* const left = row - bpp;
    const std::uint8_t* const upper_left = above - bpp;
    switch (filter) {
        case PngFilter::None:
            std::memcpy(out, row, n);
            break;
        case PngFilter::Sub:
            for (size_t i = 0; i < n; ++i) out[i] = std::uint8_t(row[i] - left[i]);
            break;
        case PngFilter::Up:
            for (size_t i = 0; i < n; ++i) out[i] = std::uint8_t(row[i] - above[i]);
            break;
        case PngFilter::Average:
            for (size_t i = 0; i < n; ++i)
                out[i] =
                    std::uint8_t(row[i] - ((left[i] & above[i]) + ((left[i] ^ above[i]) >> 1)));
            break;
        case PngFilter::Paeth:
            for (size_t i = 0; i < n; ++i)
                out[i] = std::uint8_t(row[i] - paeth(left[i], above[i], upper_left[i]));
            break;
    }
}

size_t count_colours(const QImage& image, size_t limit, std::vector<std::uint64_t>& table) {
    if (limit == 0) return 0;
    // Open addressing, at most half full; a slot holds a pixel's 32 bits, or all ones when free.
    int bits = 1;
    while ((size_t(1) << bits) < 2 * limit) ++bits;
    constexpr std::uint64_t kFree = ~std::uint64_t(0);
    table.assign(size_t(1) << bits, kFree);
    const size_t mask = table.size() - 1;
    const QImage pixels =
        image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
            ? image
            : image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                            : QImage::Format_RGB32);
    size_t count = 0;
    std::uint64_t last = kFree;
    const int width = pixels.width(), height = pixels.height();
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(pixels.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = line[x];
            if (p == last) continue;  // runs of one colour are most of a drawn picture
            last = p;
            size_t slot = (p * 0x9E3779B1u) >> (32 - bits);
            while (table[slot] != kFree && table[slot] != p) slot = (slot + 1) & mask;
            if (table[slot] == kFree) {
                table[slot] = p;
                if (++count == limit) return count;
            }
        }
    }
    return count;
}

void PngEncoder::Free::operator()(libdeflate_compressor* c) const {
    libdeflate_free_compressor(c);
}

PngEncoder::PngEncoder(const PngSettings& settings) : settings_(settings) {}

PngEncoder::~PngEncoder() = default;

QByteArray PngEncoder::encode(const QImage& source) {
    if (source.isNull()) return {};
    // Set up at the first picture: an encoder that is never used costs nothing.
    if (!compressor_) compressor_.reset(libdeflate_alloc_compressor(settings_.level));
    if (!compressor_) return {};
    const bool alpha = source.hasAlphaChannel();
    bool per_row = settings_.rows == PngRows::PerRow;
    if (settings_.rows == PngRows::ByColours) {
        // A drawn picture (flat colours, gradients, text) repeats exact pixel runs within and
        // between rows, at distances no predictor looks at, and deflate finds them best in the
        // rows as they are; a photograph has few repeats, and its predicted rows compress better.
        const size_t pixels = size_t(source.width()) * size_t(source.height());
        const size_t limit = std::min(pixels / kPhotoColourShare + 1, kPhotoColours);
        per_row = count_colours(source, limit, colours_) == limit;
    }
    // Qt's byte-ordered formats are the file's rows: R, G, B (and straight A) bytes.
    const QImage image =
        source.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    const int width = image.width();
    const int bpp = alpha ? 4 : 3;
    const size_t row_bytes = size_t(width) * size_t(bpp);

    // Every row: its filter byte, then the filtered bytes. The unfiltered rows are kept after
    // `bpp` zeros, the pixel left of the first one, and the row above the first one is zeros.
    raw_.resize((row_bytes + 1) * size_t(image.height()));
    above_.assign(size_t(bpp) + row_bytes, 0);
    row_.assign(size_t(bpp) + row_bytes, 0);
    if (per_row)
        for (auto& trial : trials_) trial.resize(row_bytes);
    for (int y = 0; y < image.height(); ++y) {
        std::uint8_t* const row = row_.data() + bpp;
        const std::uint8_t* const above = above_.data() + bpp;
        std::memcpy(row, image.constScanLine(y), row_bytes);
        std::uint8_t* const line = raw_.data() + size_t(y) * (row_bytes + 1);
        PngFilter chosen = settings_.rows == PngRows::Fixed ? settings_.filter : PngFilter::None;
        if (per_row) {
            // As libpng does: every filter, and the one whose bytes look smallest; a tie goes to
            // the simpler filter.
            unsigned best = cost(row, row_bytes);
            chosen = PngFilter::None;
            for (int f = 1; f < kFilters; ++f) {
                filter_row(PngFilter(f), row, above, row_bytes, bpp, trials_[size_t(f)].data());
                if (const unsigned c = cost(trials_[size_t(f)].data(), row_bytes); c < best) {
                    best = c;
                    chosen = PngFilter(f);
                }
            }
            const std::uint8_t* const winner =
                chosen == PngFilter::None ? row : trials_[size_t(chosen)].data();
            std::memcpy(line + 1, winner, row_bytes);
        } else {
            filter_row(chosen, row, above, row_bytes, bpp, line + 1);
        }
        line[0] = std::uint8_t(chosen);
        std::swap(above_, row_);
    }

    QByteArray compressed(qsizetype(libdeflate_zlib_compress_bound(compressor_.get(), raw_.size())),
                          Qt::Uninitialized);
    const size_t size = libdeflate_zlib_compress(compressor_.get(), raw_.data(), raw_.size(),
                                                 compressed.data(), size_t(compressed.size()));
    if (size == 0) return {};
    compressed.truncate(qsizetype(size));

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    png.reserve(8 + 25 + 21 + 12 + compressed.size() + 12);
    QByteArray header;
    put32(header, std::uint32_t(width));
    put32(header, std::uint32_t(image.height()));
    header.append(char(8));              // bits per channel
    header.append(char(alpha ? 6 : 2));  // RGBA or RGB
    header.append(3, char(0));           // deflate, standard filters, not interlaced
    chunk(png, "IHDR", header);
    if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0) {
        QByteArray physical;
        put32(physical, std::uint32_t(image.dotsPerMeterX()));
        put32(physical, std::uint32_t(image.dotsPerMeterY()));
        physical.append(char(1));  // per metre
        chunk(png, "pHYs", physical);
    }
    chunk(png, "IDAT", compressed);
    chunk(png, "IEND", {});
    return png;
}

QByteArray encode_png(const QImage& image, const PngSettings& settings) {
    return PngEncoder(settings).encode(image);
}

}  // namespace qv
