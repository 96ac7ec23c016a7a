#pragma once
// PNG written straight through libdeflate. Buttons are small and made by the thousand: zlib at its
// default level is where a general PNG writer spends its time, and zlib's faster levels make
// files half as large again; libdeflate compresses as well as zlib's default in less time. An
// encoder keeps its compressor and buffers, so a worker sets them up once for a whole batch.
#include <QByteArray>
#include <QImage>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct libdeflate_compressor;

namespace qv {

enum class PngFilter : std::uint8_t { None = 0, Sub = 1, Up = 2, Average = 3, Paeth = 4 };

// How each row's filter is chosen.
enum class PngRows : std::uint8_t {
    Fixed,      // `filter` on every row
    PerRow,     // per row, the filter whose output looks smallest, as libpng chooses
    ByColours,  // unfiltered rows for a drawn picture, PerRow for a photograph (many colours)
};

// A picture with at least one distinct colour in this many pixels is taken for a photograph, and
// so is one with this many colours (which bounds the count's table on a large picture).
inline constexpr size_t kPhotoColourShare = 4;
inline constexpr size_t kPhotoColours = size_t(1) << 16;

// The defaults are what bench/bench_png measured best on buttons over drawn, gradient,
// photographic and transparent pictures: files no larger than ImageMagick's on each, at about the
// cost of unfiltered rows on drawn pictures, which are most buttons.
struct PngSettings {
    int level = 6;  // libdeflate's 0 to 12
    PngRows rows = PngRows::ByColours;
    PngFilter filter = PngFilter::None;  // for PngRows::Fixed
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
    static constexpr int kFilters = 5;
    std::vector<std::uint8_t> raw_, above_, row_;
    std::array<std::vector<std::uint8_t>, kFilters> trials_;  // one per filter; None's unused
    std::vector<std::uint64_t> colours_;
};

// One image with a fresh encoder.
QByteArray encode_png(const QImage& image, const PngSettings& settings = {});

// Filters `n` bytes of `row`, pixels of `bpp` bytes, into `out`; `above` is the row before (zeros
// for the first). Both rows are read from index -bpp, which must hold zeros.
void filter_row(PngFilter filter, const std::uint8_t* row, const std::uint8_t* above, size_t n,
                int bpp, std::uint8_t* out);

// The number of distinct colours (alpha included) in `image`, counting no further than `limit`;
// `table` is scratch space, kept by the caller between pictures.
size_t count_colours(const QImage& image, size_t limit, std::vector<std::uint64_t>& table);

// The Paeth predictor: whichever of left, above and upper left is closest to left + above -
// upper left, ties going in that order. On ints, so that a loop of it stays vector code.
constexpr int paeth(int left, int above, int upper_left) {
    const auto abs = [](int v) { return v < 0 ? -v : v; };
    const int pa = abs(above - upper_left);  // |p - left| for p = left + above - upper left
    const int pb = abs(left - upper_left);   // |p - above|
    const int pc = abs(left + above - 2 * upper_left);
    return pa <= pb && pa <= pc ? left : pb <= pc ? above : upper_left;
}

}  // namespace qv
