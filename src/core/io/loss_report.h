#pragma once
// Telling the user which buttons lost part of their label: ink cut off at an edge, characters drawn
// as boxes. A run still writes them (the user may want them so); it says so once, at its end.
#include "core/render/text_renderer.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace qv {

// One label of a set and what it lost, the label named as the user knows it.
struct LabelLoss {
    QString label;
    LabelInk ink;
    QString look;  // the file suffix of a state look (hover, pressed); empty for the main look
};

// A label made to fit that still does not keep to its margins, and the size it was drawn at.
struct UnfitLabel {
    QString label;
    QString look;
    int size;
};

// "left 3 px, right 3 px": the edges an overflow crosses and by how much; empty when none.
QString describe_overflow(const Overflow& overflow);

// The one-line warnings for a run's losses: one naming the clipped labels, one naming the labels
// with characters no font has, one naming the `unfit` labels, each line only when it has labels.
// Names past the first few are counted, not listed, so a line stays readable for any list.
QStringList loss_warnings(const std::vector<LabelLoss>& losses,
                          const std::vector<UnfitLabel>& unfit = {});

}  // namespace qv
