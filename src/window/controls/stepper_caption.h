#pragma once
// The margin and size steppers' arithmetic, kept apart from the widgets so it can be checked alone.
#include <QString>

namespace qv {

// One stepper click: the value moves by delta (+1 or -1) only while the limit test holds (above
// the lower limit going down, below the upper limit going up); otherwise it stays.
double stepped(double value, int delta, double limit);

// A stepper caption: plain decimal ("11", "-3", "10.5"), no leading blank, no point for whole
// numbers.
QString plain_decimal(double value);

}  // namespace qv
