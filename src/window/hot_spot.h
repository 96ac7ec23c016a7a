#pragma once
// An invisible rectangle over a button drawn in the skin. Mouse events carry the buttons as Qt's
// bits (left 1, right 2, middle 4) and the shift keys as 1 shift, 2 ctrl, 4 alt. The mouse-up goes
// to the hot-spot that got the mouse-down; Click follows only when released over it.
#include "window/skin/skin_layout.h"

#include <QWidget>

namespace qv {

class HotSpot : public QWidget {
    Q_OBJECT
  public:
    HotSpot(const layout::Item& item, QWidget* parent);

    const layout::Item& item() const { return item_; }
    // The rectangle in window pixels, read from the control as it lies now.
    QRect window_rect() const { return geometry(); }

  signals:
    // Down and Up: the button that changed. Move: every button held.
    void MouseDown(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);
    void Click();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent*) override {}

  private:
    const layout::Item& item_;
};

}  // namespace qv
