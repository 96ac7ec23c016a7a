#pragma once
// Moving and placing the borderless windows (main, splash and directory chooser windows).
#include <QPointF>

class QWidget;

namespace qv {

// Called from a mouse-move over a title strip with the buttons held (1 left, 2 right, 4 middle)
// and the pointer at `pointer` on the screen: with the left button alone the window starts
// following the pointer until the button is released; with any other buttons nothing happens.
// The window manager does the move where it can; elsewhere (no window manager, offscreen) the
// window follows the pointer itself, by exactly as much as the pointer moves from `pointer`.
// True when a move started or is already under way.
bool begin_window_move(QWidget& window, int buttons, QPointF pointer);

// Centres the window on its screen (the primary screen before it is first shown).
void centre_on_screen(QWidget& window);

}  // namespace qv
