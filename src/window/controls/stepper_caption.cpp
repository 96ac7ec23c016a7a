#include "window/controls/stepper_caption.h"

namespace qv {

double stepped(double value, int delta, double limit) {
    const bool room = delta < 0 ? value > limit : value < limit;
    return room ? value + delta : value;
}

QString plain_decimal(double value) {
    // 'g' with enough digits writes whole numbers without a point or exponent up to 15 digits.
    return QString::number(value, 'g', 15);
}

}  // namespace qv
