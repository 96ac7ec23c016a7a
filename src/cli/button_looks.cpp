#include "cli/button_looks.h"

#include "core/render/alpha_composer.h"
#include "core/render/composer.h"

namespace qv::cli {

// The pictures are shared with every other worker, not copied: a picture may be large and the
// workers many. Sharing is safe because they are only read (const), so nothing detaches or writes
// them; each worker draws into canvases of its own.
LookPainter::LookPainter(const ButtonLook& look)
    : style_(look.style), background_(look.background), transparent_(look.transparent) {
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
