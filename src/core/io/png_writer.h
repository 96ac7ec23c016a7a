#pragma once
// PNG written straight through libdeflate. Buttons are small and made by the thousand: zlib at its
// default level is where a general PNG writer spends its time, and zlib's faster levels make
// files half as large again; libdeflate compresses as well as zlib's default in less time. An
// encoder keeps its compressor and buffers, so a worker sets them up once for a whole batch.
#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

struct libdeflate_compressor;

namespace qv {

enum class PngFilter : std::uint8_t { None = 0, Sub = 1, Up = 2, Average = 3, Paeth = 4 };

// The defaults are what bench/bench_png measured best on buttons: rows stored as they are (a
// gradient, a flat colour or a run of text repeats at the pixel or the row before, which deflate
// finds by itself) at level 4 are several times faster to write than a filter chosen per row, and
// the files come out smaller than zlib's default level with libpng's choice of filters. On a
// photograph behind the label Sub would compress better.
struct PngSettings {
    int level = 4;          // libdeflate's 0 to 12
    bool adaptive = false;  // per row, the filter whose output looks smallest; else `filter`
    PngFilter filter = PngFilter::None;
};

class PngEncoder {
  public:
    explicit PngEncoder(const PngSettings& settings = {});
    ~PngEncoder();
    PngEncoder(PngEncoder&&) noexcept = default;
    PngEncoder& operator=(PngEncoder&&) noexcept = default;

    // The pixels as 8-bit RGB, or RGBA when the image has an alpha channel (straight, not
    // premultiplied), with the image's resolution. Empty for a null image.
    QByteArray encode(const QImage& image);

  private:
    struct Free {
        void operator()(libdeflate_compressor* c) const;
    };
    PngSettings settings_;
    std::unique_ptr<libdeflate_compressor, Free> compressor_;
    std::vector<std::uint8_t> raw_, previous_, current_, trial_;
};

// One image with a fresh encoder.
QByteArray encode_png(const QImage& image, const PngSettings& settings = {});

// Filters one row of `bpp`-byte pixels into `out` (same size as `row`); `above` is the row
// before, or zeros for the first.
void filter_row(PngFilter filter, std::span<const std::uint8_t> row,
                std::span<const std::uint8_t> above, int bpp, std::span<std::uint8_t> out);

// The Paeth predictor: whichever of left, above and upper left is closest to left + above -
// upper left, ties going in that order.
std::uint8_t paeth(std::uint8_t left, std::uint8_t above, std::uint8_t upper_left);

}  // namespace qv
