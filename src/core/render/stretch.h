#pragma once
// Backgrounds that take the label's width: the picture's end caps are kept column for column and
// the middle between them is stretched (or tiled) to the width the button needs.
#include <QImage>

#include <optional>

namespace qv {

// Bounds of the settings, and the widest button ever made: a long label at a large size still
// gets a picture of bounded size.
inline constexpr int kMaxStretchCap = 2000;
inline constexpr int kMaxStretchWidth = 8000;

enum class StretchMode { Scale, Tile };

struct Stretch {
    int left_cap = 0;  // pixels kept as they are at the picture's left edge
    int right_cap = 0;
    StretchMode mode = StretchMode::Scale;
    std::optional<int> min_width;  // the button's width is held within these when given
    std::optional<int> max_width;

    bool operator==(const Stretch&) const = default;
};

// `width` held within min_width and max_width when given, and within 1 and kMaxStretchWidth.
int clamped_width(long long width, const Stretch& stretch);

// The width a label needs: its ink, both margins and both caps, clamped as above.
int needed_width(int ink_width, int margin_left, int margin_right, const Stretch& stretch);

struct Caps {
    int left;
    int right;
    bool operator==(const Caps&) const = default;
};

// The caps as used on a picture `picture_width` wide (at least 1): caps that leave no column
// between them are shortened, in proportion to each other, until one column of the picture is
// left for the middle, so there is always something to stretch.
Caps caps_on(int picture_width, const Stretch& stretch);

// The picture made clamped_width(width) wide, as large as the picture in height. The caps' columns
// are copied exactly; the middle is scaled in width only (linearly between the two nearest columns
// when widened, each column the average of those it covers when narrowed; each colour weighted by
// its alpha, so partly clear pixels keep their colour and no dark fringe appears) or repeated from
// its first column. When the width is narrower than the two caps, the middle is left out and each
// cap gives up columns on its inner side, in proportion to its width, so the picture's outer edges
// stay. A picture with an alpha channel gives ARGB32, any other RGB32; a null picture gives a null
// picture.
QImage stretch_picture(const QImage& picture, const Stretch& stretch, int width);

// The picture of a button `width` wide: the picture itself (shared, not copied) when there is no
// stretch or the width is its own, else stretch_picture's. A null picture stays null.
QImage picture_at_width(const QImage& picture, const std::optional<Stretch>& stretch, int width);

}  // namespace qv
