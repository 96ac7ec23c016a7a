#include "core/io/png_writer.h"

#include <QtEndian>

#include <libdeflate.h>

#include <array>
#include <cstdlib>
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

// The row as the file stores it: R, G, B (and A) bytes from Qt's native 32-bit pixels.
void unpack_row(const QRgb* pixels, int width, bool alpha, std::uint8_t* out) {
    for (int x = 0; x < width; ++x) {
        const QRgb p = pixels[x];
        *out++ = std::uint8_t(qRed(p));
        *out++ = std::uint8_t(qGreen(p));
        *out++ = std::uint8_t(qBlue(p));
        if (alpha) *out++ = std::uint8_t(qAlpha(p));
    }
}

// libpng's guess at how well a filtered row compresses: the sum of its bytes taken as signed.
unsigned cost(std::span<const std::uint8_t> filtered) {
    unsigned sum = 0;
    for (std::uint8_t b : filtered) sum += b < 128 ? b : 256 - b;
    return sum;
}

}  // namespace

std::uint8_t paeth(std::uint8_t left, std::uint8_t above, std::uint8_t upper_left) {
    const int p = left + above - upper_left;
    const int pa = std::abs(p - left);
    const int pb = std::abs(p - above);
    const int pc = std::abs(p - upper_left);
    if (pa <= pb && pa <= pc) return left;
    return pb <= pc ? above : upper_left;
}

void filter_row(PngFilter filter, std::span<const std::uint8_t> row,
                std::span<const std::uint8_t> above, int bpp, std::span<std::uint8_t> out) {
    const size_t n = row.size();
    const size_t first = std::min(size_t(bpp), n);
    switch (filter) {
        case PngFilter::None:
            std::copy(row.begin(), row.end(), out.begin());
            break;
        case PngFilter::Sub:
            for (size_t i = 0; i < first; ++i) out[i] = row[i];
            for (size_t i = first; i < n; ++i) out[i] = std::uint8_t(row[i] - row[i - bpp]);
            break;
        case PngFilter::Up:
            for (size_t i = 0; i < n; ++i) out[i] = std::uint8_t(row[i] - above[i]);
            break;
        case PngFilter::Average:
            for (size_t i = 0; i < first; ++i) out[i] = std::uint8_t(row[i] - above[i] / 2);
            for (size_t i = first; i < n; ++i)
                out[i] = std::uint8_t(row[i] - (row[i - bpp] + above[i]) / 2);
            break;
        case PngFilter::Paeth:
            for (size_t i = 0; i < first; ++i) out[i] = std::uint8_t(row[i] - above[i]);
            for (size_t i = first; i < n; ++i)
                out[i] = std::uint8_t(row[i] - paeth(row[i - bpp], above[i], above[i - bpp]));
            break;
    }
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
    const QImage image =
        source.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const int width = image.width();
    const int bpp = alpha ? 4 : 3;
    const size_t row_bytes = size_t(width) * size_t(bpp);

    // Every row: its filter byte, then the filtered bytes.
    raw_.resize((row_bytes + 1) * size_t(image.height()));
    previous_.assign(row_bytes, 0);
    current_.resize(row_bytes);
    trial_.resize(row_bytes);
    constexpr std::array kTried = {PngFilter::None, PngFilter::Sub, PngFilter::Up,
                                   PngFilter::Average, PngFilter::Paeth};
    for (int y = 0; y < image.height(); ++y) {
        unpack_row(reinterpret_cast<const QRgb*>(image.constScanLine(y)), width, alpha,
                   current_.data());
        std::uint8_t* line = raw_.data() + size_t(y) * (row_bytes + 1);
        const std::span<std::uint8_t> out(line + 1, row_bytes);
        PngFilter chosen = settings_.filter;
        if (settings_.adaptive) {
            unsigned best = ~0u;
            for (PngFilter f : kTried) {
                filter_row(f, current_, previous_, bpp, trial_);
                if (const unsigned c = cost(trial_); c < best) {
                    best = c;
                    chosen = f;
                    std::copy(trial_.begin(), trial_.end(), out.begin());
                }
            }
        } else {
            filter_row(chosen, current_, previous_, bpp, out);
        }
        line[0] = std::uint8_t(chosen);
        std::swap(previous_, current_);
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
