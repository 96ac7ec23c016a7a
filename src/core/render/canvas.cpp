#include "core/render/canvas.h"
namespace qv {
void set_screen_resolution(QImage& image) {
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
}
Canvas Canvas::make(QSize size, QColor back) {
    Canvas c;
    c.image = QImage(size, QImage::Format_RGB32);
    set_screen_resolution(c.image);
    c.back_colour = back;
    c.clear();
    return c;
}
Canvas Canvas::from_picture(const QImage& picture, QColor back) {
    Canvas c;
    c.image = picture.convertToFormat(QImage::Format_RGB32);
    set_screen_resolution(c.image);
    c.back_colour = back;
    return c;
}
void Canvas::clear() {
    image.fill(back_colour);
}
}  // namespace qv
