#pragma once
// Where a drag on the preview puts the text line.
#include <cstdint>

namespace qv {

// The text line's top for a drag at pointer y: the middle of the line follows the pointer.
// y - line_height / 2, halves to the even neighbour, saturated to the 16-bit range (a pointer far
// off the screen keeps the text far off in the same direction); not a number gives 0.
std::int16_t drag_text_y(double y, int line_height);

}  // namespace qv
