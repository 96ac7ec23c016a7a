#pragma once
// Mouse buttons and shift keys as the window's handlers receive them: buttons as Qt's bits
// (1 left, 2 right, 4 middle), shift keys as 1 shift, 2 ctrl, 4 alt.
#include <Qt>

namespace qv {

inline constexpr int kLeftButton = 1;

inline int shift_bits(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}

}  // namespace qv
