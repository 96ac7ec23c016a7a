#include "window/hot_spot.h"

#include <QMouseEvent>
#include <QPointer>

namespace qv {

HotSpot::HotSpot(const layout::Item& item, QWidget* parent) : MouseControl(parent), item_(item) {
    setObjectName(QString::fromLatin1(item.name));
    setGeometry(item.rect);
    if (*item.tooltip) setToolTip(QString::fromLatin1(item.tooltip));
    // Invisible: the skin under it is the button.
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
}

void HotSpot::mouseReleaseEvent(QMouseEvent* event) {
    // Qt delivers the release to the widget that got the press, wherever the pointer is; a click
    // follows only when the release happens over the hot-spot.
    const bool over = rect().contains(event->position().toPoint());
    QPointer<HotSpot> self(this);
    MouseControl::mouseReleaseEvent(event);
    if (self && over) emit Click();
}

}  // namespace qv
