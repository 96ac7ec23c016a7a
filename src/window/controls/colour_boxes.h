#pragma once
// The colour boxes hold whatever was typed; a run must not start on a text that draws no label.
#include "core/io/result.h"

#include <QString>

namespace qv {

// The first of the red, green and blue boxes whose text the label's colour cannot be drawn from
// (empty, not a number, or too large to convert), named with its text and worded for the user;
// ok when all three draw. Numbers outside 0..255 draw (held to the range) and pass.
Result<void> check_colour_boxes(const QString& red, const QString& green, const QString& blue);

}  // namespace qv
