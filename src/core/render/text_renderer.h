#pragma once
// Draws the label with its effects: every effect is extra text passes in black or in shades of
// the face colour, one or two pixels from the label, drawn before the face on top.
#include "core/render/button_style.h"
#include "core/render/canvas.h"
#include "core/render/label_fit.h"

#include <QRect>
#include <QString>

#include <vector>

namespace qv {

enum class PassColour { Black, Dark, Light, Face };

struct Pass {
    int dx;
    int dy;
    PassColour colour;
    bool operator==(const Pass&) const = default;
};

// The passes for a combination of effects, in drawing order (1 to 25 passes).
std::vector<Pass> pass_plan(bool shadow, bool outline, bool relief);

// The face used when no font is chosen (an empty font name).
QFont default_label_face();

// Gives the canvas the label font: face, size, bold, italic, underline. False when the size
// caption is not a number (the canvas keeps its previous font then).
bool set_label_font(Canvas& canvas, const ButtonStyle& style);

// Measurements in the canvas's current font. The width is that of the label as drawn: one line,
// a tab one space wide, a line separator (U+2028) of no width.
double text_width(const Canvas& canvas, const QString& text);
int line_height(const Canvas& canvas);  // one line of text; the height of an empty string

// How a pass's y is formed: the button preview keeps y in 16-bit arithmetic (overflow fails);
// the font preview rounds a real number like x.
enum class YArithmetic { Int16, Real };

// How many pixels of a label's ink lie past each edge of its canvas: 0 where none does.
struct Overflow {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    bool any() const { return left > 0 || right > 0 || top > 0 || bottom > 0; }
    bool operator==(const Overflow&) const = default;
};

// The pixels of `ink` past each edge of `area`; an empty `ink` is past none.
Overflow overflow_past(const QRect& ink, const QRect& area);

// What a drawing of a label would lose: ink past the canvas's edges, and characters drawn as
// boxes because no installed font has them.
struct LabelInk {
    Overflow overflow;
    QString missing;  // each such character once, in label order
};

// Draws every enabled pass of the style at origin (x, y), the top-left of the text line. Returns
// false at the first failing step (a colour text that is not a number, a 16-bit overflow); what
// was drawn before stays. `ink`, when given, gets what the drawing loses (see measure_label).
bool draw_label(Canvas& canvas, const ButtonStyle& style, double x, double y, YArithmetic y_rule,
                LabelInk* ink = nullptr);

// Measures, without drawing, what draw_label at (x, y) on `canvas` (its label font set) would
// lose. The ink is that of every pass, each pixel any glyph touches however lightly.
LabelInk measure_label(const Canvas& canvas, const ButtonStyle& style, double x, double y);

// A line of text in the canvas's current font, laid out once: its width as text_width gives it,
// and the columns its glyphs ink, [ink_left, ink_right) from the line's start (exact: drawn on a
// scratch layer). Nothing inks for a line of blanks.
struct LineShape {
    double width = 0;
    int ink_left = 0;
    int ink_right = 0;
};
LineShape line_shape(const Canvas& canvas, const QString& text);

// The columns every pass of the label inks when its line (of `shape`) starts at x, as x on the
// canvas: what fitting compares with the margins. The passes put the same glyphs at whole pixels.
// Empty for a line that inks nothing or an x no device coordinate can take.
InkSpan ink_columns(const LineShape& shape, const ButtonStyle& style, double x);
// The same for the style's label on `canvas` (its label font set).
InkSpan ink_columns(const Canvas& canvas, const ButtonStyle& style, double x);

}  // namespace qv
