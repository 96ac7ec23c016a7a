#include "window/screen_geometry.h"

#include "core/render/style_conversions.h"
#include "window/skin/skin_layout.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace qv {

int whole_pixels(float value) {
    if (!std::isfinite(value)) return 0;
    return static_cast<int>(std::clamp(round_half_even(value), double(INT_MIN), double(INT_MAX)));
}

namespace {

int centred_pixels(int screen_px, int window_px) {
    constexpr float kTwips = layout::kTwipsPerPixel;
    const float screen = static_cast<float>(screen_px) * kTwips;
    const float window = static_cast<float>(window_px) * kTwips;
    return whole_pixels((screen / 2.0f - window / 2.0f) / kTwips);
}

}  // namespace

QPoint centred_origin(QSize screen, QSize window) {
    return {centred_pixels(screen.width(), window.width()),
            centred_pixels(screen.height(), window.height())};
}

}  // namespace qv
