#include "window/window_look.h"

#include <QPalette>
#include <QWidget>

namespace qv {

QIcon window_icon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/assets/icon_16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/assets/icon_32.png"), QSize(32, 32));
    return icon;
}

QFont entry_font() {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(9);
    return f;
}

QFont list_font() {
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(6.75);
    f.setWeight(QFont::Normal);
    return f;
}

void set_back_colour(QWidget* control, QColor colour) {
    QPalette p = control->palette();
    p.setColor(QPalette::Window, colour);
    p.setColor(QPalette::Base, colour);
    control->setPalette(p);
    control->setAutoFillBackground(true);
}

}  // namespace qv
