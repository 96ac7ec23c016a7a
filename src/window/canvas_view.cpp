#include "window/canvas_view.h"

#include <QPaintEvent>
#include <QPainter>

namespace qv {

CanvasView::CanvasView(QSize size, QColor back_colour, QWidget* frame)
    : MouseControl(frame), canvas_(Canvas::make(size, back_colour)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(size);
}

void CanvasView::set_picture(const QImage& picture) {
    // The label font stays: the text line of a new picture is measured with it.
    const QFont label_font = canvas_.font;
    canvas_ = Canvas::from_picture(picture, canvas_.back_colour);
    canvas_.font = label_font;
    resize(canvas_.image.size());
    update();
}

void CanvasView::set_canvas_size(QSize size) {
    const QFont label_font = canvas_.font;
    canvas_ = Canvas::make(size, canvas_.back_colour);
    canvas_.font = label_font;
    resize(size);
    update();
}

void CanvasView::set_back_colour(QColor colour) {
    canvas_.back_colour = colour;
    canvas_.clear();
    update();
}

void CanvasView::present() {
    update();
}

void CanvasView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), canvas_.image, event->rect());
}

}  // namespace qv
