#pragma once
// The small pictures beside the skins: gauge bar, program icon and the preview's pointer.
#include <QImage>

namespace qv::art {

QImage gauge_bar();  // 173 x 3, true colour
// The sizes the program icon is drawn at: the window's 16 and 32, and the icon theme's others.
inline constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

QImage program_icon(int size);  // `size` pixels square, ARGB
QImage preview_cursor();        // 32 x 32, ARGB, hot spot at its centre

}  // namespace qv::art
