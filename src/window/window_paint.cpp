// The main window on the screen: what it asks to show comes from the screen image as it is, and
// every other paint (uncovered, restored, widened) from the persistent image.
#include "window/form_main.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

void Form_Main::show_on_screen(const QRegion& region) {
    requested_paint_ = region;
    repaint(region);  // nothing while hidden or minimised; outside the width, nothing either
    requested_paint_ = QRegion();
}

void Form_Main::paintEvent(QPaintEvent* event) {
    // Whatever the window did not ask for itself (uncovered, restored, widened) comes from the
    // persistent image, and with it every latched look; a transient look there is gone.
    {
        const QRegion restore = event->region() - requested_paint_;
        QPainter p(&screen_);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        for (const QRect& r : restore) p.drawImage(r.topLeft(), persistent_, r);
    }
    QPainter painter(this);
    for (const QRect& r : event->region()) painter.drawImage(r.topLeft(), screen_, r);
}

void Form_Main::showEvent(QShowEvent* event) {
    // Qt keeps the window's pixels and would put an uncovered part back as it was; watching the
    // exposures makes that a repaint from the persistent image instead.
    if (QWindow* handle = windowHandle()) handle->installEventFilter(this);
    QWidget::showEvent(event);
}

bool Form_Main::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && watched == windowHandle() &&
        windowHandle()->isExposed()) {
        // Only the uncovered part repaints; the exposed region is exactly what paint events
        // would not tell here, as Qt answers an exposure from its own copy of the pixels.
        QT_WARNING_PUSH
        QT_WARNING_DISABLE_DEPRECATED
        const QRegion uncovered = static_cast<QExposeEvent*>(event)->region();
        QT_WARNING_POP
        update(uncovered.isEmpty() ? QRegion(rect()) : uncovered);
    }
    return QWidget::eventFilter(watched, event);
}

void Form_Main::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        if ((change->oldState() & Qt::WindowMinimized) && !isMinimized()) update();
    }
    QWidget::changeEvent(event);
}
