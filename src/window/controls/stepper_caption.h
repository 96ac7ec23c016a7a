#pragma once
// The arithmetic of the style controls, kept apart from the widgets so it can be checked alone.
#include <QString>

#include <cstdint>
#include <vector>

namespace qv {

// Mouse buttons as the handlers receive them.
inline constexpr int kLeftButton = 1;

// One stepper click: the value moves by delta (+1 or -1) only while the limit test holds (above
// the lower limit going down, below the upper limit going up); otherwise it stays.
double stepped(double value, int delta, double limit);

// A stepper caption: plain decimal ("11", "-3", "10.5"), no leading blank, no point for whole
// numbers.
QString plain_decimal(double value);

// The text line's top for a drag at pointer y: the middle of the line follows the pointer.
// y - line_height / 2, halves to the even neighbour, saturated to the 16-bit range (a pointer far
// off the screen keeps the text far off in the same direction); not a number gives 0.
std::int16_t drag_text_y(double y, int line_height);

// Panel animations, in twips: every width set, in order; each but the last is followed by a yield.
// Collapsing always starts from the full width: 9000, 8850, ..., 4800, then 4785.
std::vector<int> collapse_widths();
// Expanding starts where the window is: from, from + 150, ... while not above 9000, then 9000.
std::vector<int> expand_widths(int from);

}  // namespace qv
