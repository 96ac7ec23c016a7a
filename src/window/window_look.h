#pragma once
// What the skinned windows share in their look: the icon, the two fonts of their controls and
// the way a control takes a background colour.
#include <QColor>
#include <QFont>
#include <QIcon>

class QWidget;

namespace qv {

// The program's icon, 16 and 32 pixels, for every window.
QIcon window_icon();
// The small sans of text boxes and labels.
QFont entry_font();
// The lists' font: Arial 6.75 points.
QFont list_font();
// Fills the control's background (and a text box's or list's base) with the colour.
void set_back_colour(QWidget* control, QColor colour);

}  // namespace qv
