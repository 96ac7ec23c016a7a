#include "window/controls/panel_widths.h"

#include "window/skin/skin_layout.h"

namespace qv {

std::vector<int> collapse_widths() {
    std::vector<int> widths;
    for (int w = layout::kExpandedTwips; w >= layout::kCollapsedTwips; w -= layout::kStepTwips)
        widths.push_back(w);
    widths.push_back(layout::kCollapsedTwips);
    return widths;
}

std::vector<int> expand_widths(int from) {
    std::vector<int> widths;
    for (int w = from; w <= layout::kExpandedTwips; w += layout::kStepTwips) widths.push_back(w);
    widths.push_back(layout::kExpandedTwips);
    return widths;
}

}  // namespace qv
