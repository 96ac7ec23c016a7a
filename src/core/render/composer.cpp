#include "core/render/composer.h"

#include "core/render/style_conversions.h"
#include "core/render/text_renderer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace qv {

namespace {

// A plain pixel copy of the overlapping top-left area: every destination pixel takes the
// source pixel, nothing is blended or scaled.
void copy_top_left(QImage& dest, const QImage& source) {
    const QImage* src = &source;
    QImage converted;
    if (source.format() != dest.format()) {
        converted = source.convertToFormat(dest.format());
        src = &converted;
    }
    const int w = std::min(dest.width(), src->width());
    const int h = std::min(dest.height(), src->height());
    if (w <= 0 || h <= 0) return;
    const std::size_t bytes = static_cast<std::size_t>(w) * (dest.depth() / 8);
    for (int row = 0; row < h; ++row)
        std::memcpy(dest.scanLine(row), src->constScanLine(row), bytes);
}

}  // namespace

double button_origin_x(int align_mode, int canvas_width, double text_width, double margin_left,
                       double margin_right) {
    switch (align_mode) {
        case kAlignLeft:
            return margin_left;
        case kAlignCentre:
            return std::floor(canvas_width / 2.0 - text_width / 2.0) + 1;
        case kAlignRight:
            return std::floor(canvas_width - (text_width + margin_right));
        default:
            return 0;
    }
}

double label_origin_x(const Canvas& canvas, const ButtonStyle& style, double margin_left,
                      double margin_right) {
    const int mode = style.align_mode;
    const double width =
        (mode == kAlignCentre || mode == kAlignRight) ? text_width(canvas, style.label_text) : 0.0;
    return button_origin_x(mode, canvas.width(), width, margin_left, margin_right);
}

QPoint typo_origin(int canvas_width, int canvas_height, double text_width, double text_height) {
    return QPoint(static_cast<int>(std::floor(canvas_width / 2.0 - text_width / 2.0)),
                  static_cast<int>(std::floor(canvas_height / 2.0 - text_height / 2.0)));
}

bool draw_previewtypo(Canvas& typo, const ButtonStyle& style) {
    typo.clear();
    if (!set_label_font(typo, style)) return false;
    const QString& text = style.label_text;
    const QPoint origin =
        typo_origin(typo.width(), typo.height(), text_width(typo, text), line_height(typo));
    return draw_label(typo, style, origin.x(), origin.y(), YArithmetic::Real);
}

namespace {

// The label's origin x on the button, in the preview's current font.
double label_x(const Canvas& preview, const ButtonStyle& style) {
    return label_origin_x(preview, style, leading_number(style.margin_left),
                          leading_number(style.margin_right));
}

}  // namespace

bool compose_button(Canvas& preview, const Canvas& background, const ButtonStyle& style,
                    LabelInk* ink) {
    copy_top_left(preview.image, background.image);
    if (!set_label_font(preview, style)) return false;
    return draw_label(preview, style, label_x(preview, style), style.text_y, YArithmetic::Int16,
                      ink);
}

LabelInk measure_button_label(Canvas& preview, const ButtonStyle& style) {
    if (!set_label_font(preview, style)) return {};
    return measure_label(preview, style, label_x(preview, style), style.text_y);
}

PreviewResult draw_preview(Canvas& preview, Canvas& typo, const Canvas& background,
                           const ButtonStyle& style) {
    const bool typo_ok = draw_previewtypo(typo, style);
    const bool button_ok = compose_button(preview, background, style);
    return {typo_ok, button_ok};
}

}  // namespace qv
