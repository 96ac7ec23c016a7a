#include "window/mouse_control.h"

#include "window/mouse_bits.h"

#include <QMouseEvent>

namespace qv {

void MouseControl::mousePressEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    emit MouseDown(int(event->button()), shift_bits(event->modifiers()), p.x(), p.y());
}

void MouseControl::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    emit MouseMove(int(event->buttons()), shift_bits(event->modifiers()), p.x(), p.y());
}

void MouseControl::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    emit MouseUp(int(event->button()), shift_bits(event->modifiers()), p.x(), p.y());
}

}  // namespace qv
