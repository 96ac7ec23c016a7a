#pragma once
// The two compositions: the finished button over its background, and the font preview.
#include "core/render/button_style.h"
#include "core/render/canvas.h"
#include "core/render/text_renderer.h"

#include <QPoint>

namespace qv {

// Horizontal text origin on the button by alignment: left = margin as read; centre =
// floor(W/2 - TW/2) + 1; right = floor(W - (TW + margin_right)); anything else 0.
double button_origin_x(int align_mode, int canvas_width, double text_width, double margin_left,
                       double margin_right);

// The origin x of the style's label on a button as wide as `canvas`, in the canvas's current font,
// by the style's alignment and these margins. The width is measured only where the alignment
// needs it.
double label_origin_x(const Canvas& canvas, const ButtonStyle& style, double margin_left,
                      double margin_right);

// Font preview origin: (floor(W/2 - TW/2), floor(H/2 - TH/2)).
QPoint typo_origin(int canvas_width, int canvas_height, double text_width, double text_height);

// Clears the font preview canvas and draws the label centred on it. False when drawing failed
// (the canvas keeps what was drawn and is not to be presented).
bool draw_previewtypo(Canvas& typo, const ButtonStyle& style);

// Copies the background onto the preview canvas and draws the label placed by the style.
// False when drawing failed (the partial image stays and is not to be presented). `ink`, when
// given, gets what the label loses, as measure_button_label says.
bool compose_button(Canvas& preview, const Canvas& background, const ButtonStyle& style,
                    LabelInk* ink = nullptr);

// What the label of compose_button would lose on `preview` (whose font it sets): ink past the
// button's edges, characters no font has. Draws nothing.
LabelInk measure_button_label(Canvas& preview, const ButtonStyle& style);

struct PreviewResult {
    bool typo_ok;
    bool button_ok;
};

// The one entry point of all label drawing: the font preview first (its failure never stops the
// button), then the button.
PreviewResult draw_preview(Canvas& preview, Canvas& typo, const Canvas& background,
                           const ButtonStyle& style);

}  // namespace qv
