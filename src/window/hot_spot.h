#pragma once
// An invisible rectangle over a button drawn in the skin. The mouse-up goes to the hot-spot that
// got the mouse-down; Click follows only when released over it.
#include "window/mouse_control.h"
#include "window/skin/skin_layout.h"

namespace qv {

class HotSpot : public MouseControl {
    Q_OBJECT
  public:
    HotSpot(const layout::Item& item, QWidget* parent);

    const layout::Item& item() const { return item_; }
    // The rectangle in window pixels, read from the control as it lies now.
    QRect window_rect() const { return geometry(); }

  signals:
    void Click();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent*) override {}

  private:
    const layout::Item& item_;
};

}  // namespace qv
