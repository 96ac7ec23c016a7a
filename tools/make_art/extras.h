#pragma once
// The small pictures beside the skins: gauge bar, program icon and the preview's pointer.
#include <QImage>

namespace qv::art {

QImage gauge_bar();             // 173 x 3, true colour
QImage program_icon(int size);  // 16 or 32 pixels, ARGB
QImage preview_cursor();        // 32 x 32, ARGB, hot spot at its centre

}  // namespace qv::art
