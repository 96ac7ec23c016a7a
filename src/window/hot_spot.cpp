#include "window/hot_spot.h"

#include "window/mouse_bits.h"

#include <QMouseEvent>
#include <QPointer>

namespace qv {

HotSpot::HotSpot(const layout::Item& item, QWidget* parent) : QWidget(parent), item_(item) {
    setObjectName(QString::fromLatin1(item.name));
    setGeometry(item.rect);
    if (*item.tooltip) setToolTip(QString::fromLatin1(item.tooltip));
    // Invisible: the skin under it is the button.
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
}

void HotSpot::mousePressEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    emit MouseDown(int(event->button()), shift_bits(event->modifiers()), p.x(), p.y());
}

void HotSpot::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    emit MouseMove(int(event->buttons()), shift_bits(event->modifiers()), p.x(), p.y());
}

void HotSpot::mouseReleaseEvent(QMouseEvent* event) {
    // Qt delivers the release to the widget that got the press, wherever the pointer is; a click
    // follows only when the release happens over the hot-spot.
    const QPointF p = event->position();
    const bool over = rect().contains(p.toPoint());
    QPointer<HotSpot> self(this);
    emit MouseUp(int(event->button()), shift_bits(event->modifiers()), p.x(), p.y());
    if (self && over) emit Click();
}

}  // namespace qv
