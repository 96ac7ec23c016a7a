#include "window/controls/stepper_caption.h"

#include "core/render/style_conversions.h"
#include "window/skin/skin_layout.h"

#include <cmath>
#include <limits>

namespace qv {

double stepped(double value, int delta, double limit) {
    const bool room = delta < 0 ? value > limit : value < limit;
    return room ? value + delta : value;
}

QString plain_decimal(double value) {
    // 'g' with enough digits writes whole numbers without a point or exponent up to 15 digits.
    return QString::number(value, 'g', 15);
}

std::int16_t drag_text_y(double y, int line_height) {
    const double top = round_half_even(y - line_height / 2.0);
    if (std::isnan(top)) return 0;
    constexpr double kLow = std::numeric_limits<std::int16_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int16_t>::max();
    if (top <= kLow) return std::numeric_limits<std::int16_t>::min();
    if (top >= kHigh) return std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(top);
}

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
