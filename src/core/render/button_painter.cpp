#include "core/render/button_painter.h"

#include "core/render/alpha_composer.h"
#include "core/render/composer.h"

namespace qv {

ButtonPainter::ButtonPainter(const Canvas& background, const QImage& transparent,
                             LabelLayout layout)
    : background_(background), transparent_(transparent), layout_(std::move(layout)) {
    preview_ = transparent_.isNull() ? Canvas::make(background_.image.size(), kWindowBackground)
                                     : clear_layer(transparent_.size());
}

void ButtonPainter::stretch_to(int width) {
    if (width == stretched_width_) return;
    stretched_width_ = width;
    stretched_ = background_;
    stretched_.image = picture_at_width(background_.image, layout_.stretch, width);
    stretched_transparent_ = picture_at_width(transparent_, layout_.stretch, width);
}

const QImage& ButtonPainter::paint(const ButtonStyle& style, LabelInk* ink, Placement* placement) {
    if (!layout_.adjusts()) {
        if (placement) *placement = place_label(preview_, style, layout_, background_.width());
        if (transparent_.isNull()) {
            compose_button(preview_, background_, style, ink);
            return preview_.image;
        }
        compose_over_picture(preview_, transparent_, style, out_, ink);
        return out_;
    }
    const Placement placed = place_label(preview_, style, layout_, background_.width());
    if (placement) *placement = placed;
    return paint(style, placed, ink);
}

const QImage& ButtonPainter::paint(const ButtonStyle& style, const Placement& placed,
                                   LabelInk* ink) {
    stretch_to(placed.width);
    if (transparent_.isNull()) {
        preview_.image = stretched_.image;  // drawn on a copy of its own when the label is drawn
        preview_.image.detach();
        draw_placed_label(preview_, style, placed, layout_.stretch, ink);
        return preview_.image;
    }
    if (preview_.image.size() != stretched_transparent_.size())
        preview_ = clear_layer(stretched_transparent_.size());
    else
        preview_.clear();
    draw_placed_label(preview_, style, placed, layout_.stretch, ink);
    lay_over_picture(preview_.image, stretched_transparent_, out_);
    return out_;
}

}  // namespace qv
