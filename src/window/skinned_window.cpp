#include "window/skinned_window.h"

#include "window/window_look.h"
#include "window/window_move.h"

#include <QPaintEvent>
#include <QPainter>

#include <type_traits>

namespace qv {

QImage skin_picture(const QString& resource, QSize size, QColor fallback) {
    QImage picture(resource);
    if (picture.isNull()) {
        picture = QImage(size, QImage::Format_RGB32);
        picture.fill(fallback);
    }
    return picture.convertToFormat(QImage::Format_RGB32);
}

template <class Base>
SkinnedWindow<Base>::SkinnedWindow(QWidget* parent, const char* name, const QString& title,
                                   const QString& picture, QSize size, QColor fallback)
    : Base(parent,
           (std::is_same_v<Base, QDialog> ? Qt::Dialog : Qt::Window) | Qt::FramelessWindowHint),
      face_(skin_picture(picture, size, fallback)) {
    this->setObjectName(QString::fromLatin1(name));
    this->setWindowTitle(title);
    this->setWindowIcon(window_icon());
    this->setAttribute(Qt::WA_OpaquePaintEvent);
    this->resize(size);
}

template <class Base>
void SkinnedWindow<Base>::centre_on_screen() {
    qv::centre_on_screen(*this);
}

template <class Base>
void SkinnedWindow<Base>::follow_title_strip(int buttons, QPointF pointer) {
    begin_window_move(*this, buttons, pointer);
}

template <class Base>
void SkinnedWindow<Base>::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), face_, event->rect());
}

template class SkinnedWindow<QWidget>;
template class SkinnedWindow<QDialog>;

}  // namespace qv
