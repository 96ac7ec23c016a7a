#pragma once
// Where a label goes when the set makes its labels fit: the size, the lines and the button's
// width, decided from the label's ink with all its effects, and the drawing of the label so placed.
// Window and tool both place labels here, so a set comes out the same from either.
#include "core/render/button_style.h"
#include "core/render/canvas.h"
#include "core/render/label_fit.h"
#include "core/render/stretch.h"
#include "core/render/text_renderer.h"

#include <QStringList>

#include <optional>
#include <vector>

namespace qv {

// How the labels of a set are made to fit their buttons. The default draws each label as the
// style places it, on the picture as it is.
struct LabelLayout {
    FitMode fit = FitMode::None;
    int min_size = kDefaultMinSize;
    std::optional<Stretch> stretch;  // unset: every button is the picture's width

    bool adjusts() const { return fit != FitMode::None || stretch.has_value(); }
    bool operator==(const LabelLayout&) const = default;
};

struct Placement {
    QStringList lines;   // one line, or two under wrap
    int size = 0;        // points drawn at
    int style_size = 0;  // points the style asks for (0: its size is not a whole number)
    int width = 0;       // the button's width in pixels
    bool fits = true;    // the ink keeps to fit_box at that size and width
    bool resized() const { return size != style_size; }
};

// The columns a label's ink must keep to on a button `width` wide. The margin on the side the
// label is aligned to places it, and there only the button's edge bounds it; the other margin
// (both when centred) bounds it. A stretched background's caps add to the margins.
FitBox fit_box(const ButtonStyle& style, int width, const std::optional<Stretch>& stretch);

// The margins the label is aligned by: the style's, widened by the caps under stretch.
struct Margins {
    double left;
    double right;
};
Margins label_margins(const ButtonStyle& style, const std::optional<Stretch>& stretch);

// The tops of the lines: one line at the style's y; two lines of `line_height` each as one block
// centred where the style's one line (`style_line_height` high) would be.
std::vector<int> line_tops(int style_y, int style_line_height, int lines, int line_height);

// Decides where the label of `style` goes on a picture `picture_width` wide. `scratch` is any
// canvas: its font is set and its image gives the resolution measured at. A size caption that is
// not a whole number is drawn as it is, on one line. Under FitMode::None without stretch nothing is
// changed, and `fits` says whether the ink keeps to the box anyway.
Placement place_label(Canvas& scratch, const ButtonStyle& style, const LabelLayout& layout,
                      int picture_width);

// Draws the placed label's passes on `canvas`, which already holds the button's background at the
// placement's width. False at the first failing step, as draw_label. `ink`, when given, gets what
// the lines lose together.
bool draw_placed_label(Canvas& canvas, const ButtonStyle& style, const Placement& placement,
                       const std::optional<Stretch>& stretch, LabelInk* ink = nullptr);

// What draw_placed_label on `canvas` (as wide as the placement; its pixels are not changed) would
// lose, without drawing.
LabelInk measure_placed_label(Canvas& canvas, const ButtonStyle& style, const Placement& placement,
                              const std::optional<Stretch>& stretch);

}  // namespace qv
