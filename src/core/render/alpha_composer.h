#pragma once
// The button over a picture that keeps its transparency, for file formats that can hold it. The
// label's passes are drawn on a clear layer exactly as on an opaque button, then the layer is laid
// over the picture: a pixel no pass touches keeps the picture's colour and alpha exactly, and the
// anti-aliased edge of a glyph over a clear area comes out partly transparent in the glyph's own
// colour, with no dark fringe.
#include "core/render/button_style.h"
#include "core/render/canvas.h"
#include "core/render/text_renderer.h"

#include <QImage>
#include <QRgb>

namespace qv {

// A premultiplied `layer` pixel over a straight (not premultiplied) `picture` pixel, as a straight
// pixel.
QRgb over_straight(QRgb layer, QRgb picture);

// A clear layer for a picture of `size`, to be drawn on again and again.
Canvas clear_layer(QSize size);

// Lays `layer` (premultiplied, the picture's size) over `picture` (ARGB32) into `out`.
void lay_over_picture(const QImage& layer, const QImage& picture, QImage& out);

// Draws the label of `style` on `layer` (a clear_layer the picture's size, cleared here) and lays
// it over `picture` (ARGB32) into `out`. False when the drawing failed part way; `out` then holds
// what was drawn, as with an opaque button. `ink`, when given, gets what the label loses.
bool compose_over_picture(Canvas& layer, const QImage& picture, const ButtonStyle& style,
                          QImage& out, LabelInk* ink = nullptr);

}  // namespace qv
