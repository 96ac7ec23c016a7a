#include "core/render/label_placement.h"

#include "core/render/composer.h"
#include "core/render/style_conversions.h"

#include <algorithm>
#include <cmath>

namespace qv {
namespace {

InkSpan joined(InkSpan a, InkSpan b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return {std::min(a.left, b.left), std::max(a.right, b.right)};
}

InkSpan moved(InkSpan ink, int dx) {
    return ink.empty() ? ink : InkSpan{ink.left + dx, ink.right + dx};
}

double origin_x(const ButtonStyle& style, int width, double text_width, Margins m) {
    return button_origin_x(style.align_mode, width, text_width, m.left, m.right);
}

// The style's size as whole points, 0 when it is not a whole number of points.
int whole_points(const ButtonStyle& style) {
    const auto points = font_size_points(style.font_size);
    if (!points || *points < 1 || *points > float(kMaxFontSize) || *points != std::floor(*points))
        return 0;
    return int(*points);
}

// A line's ink as measured with its line starting at x on a button of some width; on another
// width it moves with the line's origin.
struct LineInk {
    double text_width;
    double x;
    InkSpan ink;
};

// Measures the lines of a label in the font of `sized` (set on `scratch`).
class LineMeasure {
  public:
    LineMeasure(Canvas& scratch, const ButtonStyle& style, const std::optional<Stretch>& stretch)
        : scratch_(scratch),
          sized_(style),
          margins_(label_margins(style, stretch)),
          style_size_(whole_points(style)) {}

    bool set_size(int size) {
        sized_.font_size = size == style_size_ ? style_font_size_ : QString::number(size);
        return set_label_font(scratch_, sized_);
    }

    std::vector<LineInk> measure(const QStringList& lines, int width) {
        std::vector<LineInk> out;
        for (const QString& line : lines) {
            sized_.label_text = line;
            const LineShape shape = line_shape(scratch_, line);
            const double x = origin_x(sized_, width, shape.width, margins_);
            out.push_back({shape.width, x, ink_columns(shape, sized_, x)});
        }
        return out;
    }

    // The lines' ink together on a button `width` wide. The alignments give whole-pixel origins
    // that move with the width (a left origin does not move), so the ink moves with them.
    InkSpan block(const std::vector<LineInk>& lines, int width) const {
        InkSpan all;
        for (const LineInk& l : lines) {
            const double x = origin_x(sized_, width, l.text_width, margins_);
            all = joined(all, moved(l.ink, int(std::lround(x - l.x))));
        }
        return all;
    }

  private:
    Canvas& scratch_;
    ButtonStyle sized_;
    Margins margins_;
    int style_size_;
    QString style_font_size_ = sized_.font_size;  // the caption as typed, for the style's size
};

// The narrowest width from about `estimate` on whose box holds the lines, or `estimate` when none
// near it does.
int narrowest_width(const LineMeasure& m, const std::vector<LineInk>& lines, int estimate,
                    const ButtonStyle& style, const Stretch& stretch) {
    // Hinting and the alignments' rounding move the ink by a pixel or two from the estimate.
    for (int w = std::max(1, estimate - 4); w <= estimate + 32; ++w)
        if (fits(m.block(lines, w), fit_box(style, w, stretch))) return w;
    return estimate;
}

void add_losses(LabelInk& all, const LabelInk& line) {
    Overflow& o = all.overflow;
    o.left = std::max(o.left, line.overflow.left);
    o.right = std::max(o.right, line.overflow.right);
    o.top = std::max(o.top, line.overflow.top);
    o.bottom = std::max(o.bottom, line.overflow.bottom);
    for (const QChar c : line.missing)
        if (!all.missing.contains(c)) all.missing += c;
}

}  // namespace

Margins label_margins(const ButtonStyle& style, const std::optional<Stretch>& stretch) {
    Margins m{leading_number(style.margin_left), leading_number(style.margin_right)};
    if (stretch) {
        m.left += stretch->left_cap;
        m.right += stretch->right_cap;
    }
    return m;
}

FitBox fit_box(const ButtonStyle& style, int width, const std::optional<Stretch>& stretch) {
    const Margins m = label_margins(style, stretch);
    FitBox box{int(std::ceil(m.left)), int(std::floor(width - m.right))};
    if (style.align_mode == kAlignLeft) box.left = 0;
    if (style.align_mode == kAlignRight) box.right = width;
    return box;
}

std::vector<int> line_tops(int style_y, int style_line_height, int lines, int line_height) {
    if (lines <= 1) return {style_y};
    const int top =
        style_y + int(std::floor((style_line_height - double(lines) * line_height) / 2.0));
    std::vector<int> tops;
    for (int i = 0; i < lines; ++i) tops.push_back(top + i * line_height);
    return tops;
}

Placement place_label(Canvas& scratch, const ButtonStyle& style, const LabelLayout& layout,
                      int picture_width) {
    Placement p;
    p.lines = {style.label_text};
    p.style_size = whole_points(style);
    p.size = p.style_size;
    p.width = picture_width;
    LineMeasure m(scratch, style, layout.stretch);
    if (!m.set_size(p.style_size)) return p;  // a size that is not a number draws nothing

    // The widest the button may be: every label is first fitted to that.
    const int widest =
        layout.stretch ? clamped_width(kMaxStretchWidth, *layout.stretch) : picture_width;
    if (layout.fit != FitMode::None && p.style_size > 0) {
        const FitBox box = fit_box(style, widest, layout.stretch);
        const LabelFit f = fit_label(layout.fit, style.label_text, p.style_size, layout.min_size,
                                     box, [&](const QStringList& lines, int size) {
                                         m.set_size(size);
                                         return m.block(m.measure(lines, widest), widest);
                                     });
        p.lines = f.lines;
        p.size = f.choice.size;
        m.set_size(p.size);
    }
    const std::vector<LineInk> lines = m.measure(p.lines, widest);
    if (layout.stretch) {
        // A centred label is centred on the whole button: the wider side's margin and cap are
        // needed on both sides, however far apart the two sides are.
        Margins raw = label_margins(style, std::nullopt);
        if (style.align_mode == kAlignCentre) {
            const Stretch& s = *layout.stretch;
            const double side = std::max(raw.left + s.left_cap, raw.right + s.right_cap);
            raw = {side - s.left_cap, side - s.right_cap};
        }
        const int estimate = needed_width(m.block(lines, widest).width(), int(raw.left),
                                          int(raw.right), *layout.stretch);
        p.width = clamped_width(narrowest_width(m, lines, estimate, style, *layout.stretch),
                                *layout.stretch);
    }
    p.fits = fits(m.block(lines, p.width), fit_box(style, p.width, layout.stretch));
    return p;
}

namespace {

// Calls `line(sized, x, y)` for each line of the placed label as drawn on `canvas` (whose width is
// the placement's), the canvas's font set to the placed size; stops at the first false. False also
// when a size is not a number.
template <typename Line>
bool each_placed_line(Canvas& canvas, const ButtonStyle& style, const Placement& placement,
                      const std::optional<Stretch>& stretch, Line&& line) {
    if (!set_label_font(canvas, style)) return false;
    const int style_line_height = line_height(canvas);
    ButtonStyle sized = style;
    if (placement.resized()) {
        sized.font_size = QString::number(placement.size);
        if (!set_label_font(canvas, sized)) return false;
    }
    const std::vector<int> tops = line_tops(style.text_y, style_line_height,
                                            int(placement.lines.size()), line_height(canvas));
    const Margins margins = label_margins(style, stretch);
    for (qsizetype i = 0; i < placement.lines.size(); ++i) {
        sized.label_text = placement.lines[i];
        const double x = label_origin_x(canvas, sized, margins.left, margins.right);
        if (!line(sized, x, tops[std::size_t(i)])) return false;
    }
    return true;
}

}  // namespace

bool draw_placed_label(Canvas& canvas, const ButtonStyle& style, const Placement& placement,
                       const std::optional<Stretch>& stretch, LabelInk* ink) {
    LabelInk all;
    const bool ok = each_placed_line(
        canvas, style, placement, stretch, [&](const ButtonStyle& sized, double x, int y) {
            LabelInk line;
            const bool drawn =
                draw_label(canvas, sized, x, y, YArithmetic::Int16, ink ? &line : nullptr);
            add_losses(all, line);
            return drawn;
        });
    if (ink) *ink = all;
    return ok;
}

LabelInk measure_placed_label(Canvas& canvas, const ButtonStyle& style, const Placement& placement,
                              const std::optional<Stretch>& stretch) {
    LabelInk all;
    each_placed_line(canvas, style, placement, stretch,
                     [&](const ButtonStyle& sized, double x, int y) {
                         add_losses(all, measure_label(canvas, sized, x, y));
                         return true;
                     });
    return all;
}

}  // namespace qv
