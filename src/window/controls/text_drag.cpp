#include "window/controls/text_drag.h"

#include "core/render/style_conversions.h"

#include <cmath>
#include <limits>

namespace qv {

std::int16_t drag_text_y(double y, int line_height) {
    const double top = round_half_even(y - line_height / 2.0);
    if (std::isnan(top)) return 0;
    constexpr double kLow = std::numeric_limits<std::int16_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int16_t>::max();
    if (top <= kLow) return std::numeric_limits<std::int16_t>::min();
    if (top >= kHigh) return std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(top);
}

}  // namespace qv
