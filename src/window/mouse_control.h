#pragma once
// A control that reports the mouse to the window's handlers in their terms: MouseDown and MouseUp
// carry the button that changed, MouseMove every button held, as Qt's bits (left 1, right 2,
// middle 4); the shift keys come as 1 shift, 2 ctrl, 4 alt, and the pointer in the control's own
// pixels.
#include <QWidget>

namespace qv {

class MouseControl : public QWidget {
    Q_OBJECT
  public:
    using QWidget::QWidget;

  signals:
    void MouseDown(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace qv
