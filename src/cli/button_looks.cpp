#include "cli/button_looks.h"

#include "core/render/alpha_composer.h"
#include "core/render/composer.h"

namespace qv::cli {

LookPainter::LookPainter(const ButtonLook& look)
    : style_(look.style), background_(look.background) {
    // Deep copies: QImage shares its pixels, and workers must not even share reads with writes.
    background_.image = look.background.image.copy();
    transparent_ = look.transparent.copy();
    preview_ = transparent_.isNull() ? Canvas::make(background_.image.size(), kWindowBackground)
                                     : clear_layer(transparent_.size());
}

const QImage& LookPainter::paint(const QString& label) {
    style_.label_text = label;
    if (transparent_.isNull()) {
        compose_button(preview_, background_, style_);
        return preview_.image;
    }
    compose_over_picture(preview_, transparent_, style_, out_);
    return out_;
}

}  // namespace qv::cli
