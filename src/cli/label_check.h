#pragma once
// Finding the labels that do not fit: the text, with the pixels its effects add, runs past the
// button's left or right edge, or past the margin on the aligned side; and the labels whose files
// would overwrite another label's.
#include "core/render/button_style.h"
#include "core/render/canvas.h"

#include <QStringList>

#include <vector>

namespace qv::cli {

// The columns a label covers, from its first pixel to just after its last.
struct InkSpan {
    double left;
    double right;
};

// The span of a text of advance width `text_width` whose face pass starts at pixel `x`: the
// outline and the 3D effect add one pixel on each side, the shadow one to the right (two with
// the outline, whose ring it then becomes).
InkSpan ink_span(int x, double text_width, bool shadow, bool outline, bool relief);

// Whether the span stays between the edges of a button `width` wide, the aligned side's margin
// moving that edge inwards.
bool fits(InkSpan span, int width, int align_mode, int margin_left, int margin_right);

// The indices of the labels that do not fit, in list order. Measures in the style's font on a
// canvas the size of `background`; draws nothing.
std::vector<qsizetype> labels_past_edges(const QStringList& labels, const ButtonStyle& style,
                                         const Canvas& background);

// The indices of the labels, in list order, one of whose files has the name of another label's
// file, or of another look's. A label's files are its name (`names`, one per label) followed by
// each of `suffixes`; names are compared as the file system gets them, so two that differ only in
// characters no file name can hold (lone surrogates) are one. The same label listed twice writes
// the same file twice and shares nothing.
std::vector<qsizetype> labels_sharing_names(const QStringList& labels, const QStringList& names,
                                            const QStringList& suffixes);

}  // namespace qv::cli
