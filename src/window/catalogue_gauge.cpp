#include "window/catalogue_gauge.h"

#include <cstdint>

namespace qv {

float gauge_width(int index, int count) {
    const auto steps = static_cast<std::int16_t>(count - 1);
    if (steps == 0) return static_cast<float>(kGaugeFullWidth);
    const float step = static_cast<float>(kGaugeFullWidth) / static_cast<float>(steps);
    return static_cast<float>(index) * step;
}

}  // namespace qv
