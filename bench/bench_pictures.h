#pragma once
// The button background the batch and PNG benchmarks share: 150 x 56, a diagonal gradient, as a
// typical web button is, so that PNG sizes and rates compare across the two.
#include "core/render/canvas.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>

inline QImage gradient_button_picture() {
    QImage picture(150, 56, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 150, 56);
    gradient.setColorAt(0, QColor(20, 60, 200));
    gradient.setColorAt(1, QColor(230, 180, 40));
    painter.fillRect(picture.rect(), gradient);
    return picture;
}
