#pragma once
// The font configuration panel's animations: the window widths they pass through.
#include <vector>

namespace qv {

// Panel animations, in twips: every width set, in order; each but the last is followed by a yield.
// Collapsing always starts from the full width: 9000, 8850, ..., 4800, then 4785.
std::vector<int> collapse_widths();
// Expanding starts where the window is: from, from + 150, ... while not above 9000, then 9000.
std::vector<int> expand_widths(int from);

}  // namespace qv
