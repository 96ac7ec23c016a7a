#pragma once
// Making a label fit its button: the size steps down until the label's ink lies between the
// margins, after breaking it into two lines if the style asks for that. Pure: the ink is measured
// by the caller, so the same search serves every way of drawing.
#include <QString>
#include <QStringList>

#include <functional>

namespace qv {

enum class FitMode { None, Shrink, Wrap };
inline constexpr int kDefaultMinSize = 5;

// Columns that hold ink, as x from the button's left edge: [left, right). Empty when right <= left
// (a label of blanks), which fits anywhere.
struct InkSpan {
    int left = 0;
    int right = 0;
    bool empty() const { return right <= left; }
    int width() const { return empty() ? 0 : right - left; }
};

// The columns the ink may take, [left, right): the button less its margins.
struct FitBox {
    int left = 0;
    int right = 0;
};

bool fits(InkSpan ink, FitBox box);

// The ink of a label at a size in points, with all its effects, as it would be drawn.
using MeasureSize = std::function<InkSpan(int size)>;

struct SizeChoice {
    int size;      // the size to draw at
    bool fits;     // false: not even the smallest size fits, and `size` is that smallest
    int measured;  // how many sizes were measured, for benchmarks and checks
};

// The size to draw at, searched in [min(min_size, size), size]: `size` when it fits, else a size
// that fits while the next size up does not. Each size is measured at most once.
//
// The search takes fit to be monotone (what fits at one size fits at every smaller one: the ink
// grows with the size) to skip sizes: it estimates the size from the ink's width, which grows
// roughly in proportion, and then narrows a bracket [largest size seen to fit, smallest seen not
// to]. Hinting can make the ink a pixel narrower one size up; such a dip can hide a fitting size
// above the one found, which is then not the largest. What holds whatever the measure does: the
// result fits (or is the smallest size and says it does not), the size one up does not fit, the
// search never leaves its range, ends after at most every size once, and gives the same answer
// for the same measurements.
SizeChoice choose_size(int size, int min_size, FitBox box, const MeasureSize& measure);

// The ink of lines drawn as one block (one or two lines) at a size.
using MeasureLines = std::function<InkSpan(const QStringList& lines, int size)>;

// Two lines from one, broken at a run of spaces with text on both sides (the spaces go), choosing
// the break whose wider line is narrowest at `size`; of equal choices the first. A label without
// such a space stays one line.
QStringList two_lines(const QString& label, int size, const MeasureLines& measure);

struct LabelFit {
    QStringList lines;  // one line, or two under wrap
    SizeChoice choice;
};

// The whole decision for a label: None keeps one line at `size` (not measured); Shrink chooses
// the size for one line; Wrap keeps one line when it fits at `size`, else breaks it in two and
// chooses the size for the two lines.
LabelFit fit_label(FitMode mode, const QString& label, int size, int min_size, FitBox box,
                   const MeasureLines& measure);

}  // namespace qv
