#include "core/render/button_painter.h"

#include "core/render/alpha_composer.h"
#include "core/render/composer.h"

namespace qv {

ButtonPainter::ButtonPainter(const Canvas& background, const QImage& transparent)
    : background_(background), transparent_(transparent) {
    preview_ = transparent_.isNull() ? Canvas::make(background_.image.size(), kWindowBackground)
                                     : clear_layer(transparent_.size());
}

const QImage& ButtonPainter::paint(const ButtonStyle& style, LabelInk* ink) {
    if (transparent_.isNull()) {
        compose_button(preview_, background_, style, ink);
        return preview_.image;
    }
    compose_over_picture(preview_, transparent_, style, out_, ink);
    return out_;
}

}  // namespace qv
