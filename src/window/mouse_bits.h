#pragma once
// Shift keys as the window's handlers receive them: 1 shift, 2 ctrl, 4 alt.
#include <Qt>

inline int shift_bits(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}
