#include "core/render/label_fit.h"

#include <algorithm>
#include <cmath>

namespace qv {

bool fits(InkSpan ink, FitBox box) {
    return ink.empty() || (ink.left >= box.left && ink.right <= box.right);
}

SizeChoice choose_size(int size, int min_size, FitBox box, const MeasureSize& measure) {
    int measured = 0;
    auto probe = [&](int s) {
        ++measured;
        return measure(s);
    };
    InkSpan ink = probe(size);
    if (fits(ink, box)) return {size, true, measured};

    const int low = std::min(min_size, size);
    const long long room = static_cast<long long>(box.right) - box.left;
    long long good = low - 1LL;  // the largest size seen to fit; below the range while none has
    long long bad = size;        // the smallest size seen not to fit
    int last = size;
    while (bad - good > 1) {
        // The ink's width grows about in proportion to the size; the bracket keeps a poor guess
        // (or a measure that is not monotone) from probing a size twice or leaving the range.
        const long long guess =
            ink.width() > 0 ? static_cast<long long>(
                                  std::floor(double(last) * double(room) / double(ink.width())))
                            : bad - 1;
        last = int(std::clamp<long long>(guess, good + 1, bad - 1));
        ink = probe(last);
        if (fits(ink, box))
            good = last;
        else
            bad = last;
    }
    if (good < low) return {low, false, measured};
    return {int(good), true, measured};
}

QStringList two_lines(const QString& label, int size, const MeasureLines& measure) {
    // Only the plain space breaks: a no-break space is there to keep its neighbours together.
    qsizetype begin = 0;
    qsizetype end = label.size();
    while (begin < end && label[begin] == u' ') ++begin;
    while (end > begin && label[end - 1] == u' ') --end;
    QStringList best{label};
    int best_width = 0;
    for (qsizetype i = begin; i < end; ++i) {
        if (label[i] != u' ') continue;
        qsizetype j = i;
        while (label[j] == u' ') ++j;  // stops inside the text: label[end - 1] is not a space
        QStringList lines{label.left(i), label.mid(j)};
        const int wider =
            std::max(measure({lines[0]}, size).width(), measure({lines[1]}, size).width());
        if (best.size() == 1 || wider < best_width) {
            best = std::move(lines);
            best_width = wider;
        }
        i = j - 1;
    }
    return best;
}

LabelFit fit_label(FitMode mode, const QString& label, int size, int min_size, FitBox box,
                   const MeasureLines& measure) {
    if (mode == FitMode::None) return {{label}, {size, true, 0}};
    int measured = 0;
    auto counted = [&](const QStringList& lines, int s) {
        ++measured;
        return measure(lines, s);
    };
    const QStringList one{label};
    if (mode == FitMode::Shrink) {
        const SizeChoice c =
            choose_size(size, min_size, box, [&](int s) { return counted(one, s); });
        return {one, {c.size, c.fits, measured}};
    }
    const InkSpan at_size = counted(one, size);
    if (fits(at_size, box)) return {one, {size, true, measured}};
    const QStringList lines = two_lines(label, size, counted);
    // One line still: its ink at `size` is known already.
    const SizeChoice c = choose_size(size, min_size, box, [&](int s) {
        return lines.size() == 1 && s == size ? at_size : counted(lines, s);
    });
    return {lines, {c.size, c.fits, measured}};
}

}  // namespace qv
