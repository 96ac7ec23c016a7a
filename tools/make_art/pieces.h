#pragma once
// The drawn parts the skins are made of: bevelled buttons, sunken frames, title strips, round
// knobs, indicator lamps and captions. Each takes the rectangle of its hot-spot or control and
// draws only inside it (frames: only around it), in a normal or a pressed look.
#include "pixel_font.h"

#include <QImage>
#include <QRect>
#include <QRgb>

#include <string_view>

namespace qv::art {

struct Theme {
    QRgb panel;                        // the face of the window
    QRgb highlight;                    // outer lit edge
    QRgb light;                        // inner lit edge
    QRgb shade;                        // inner shadow edge
    QRgb dark;                         // outer shadow edge
    QRgb face_top, face_bottom;        // raised button face
    QRgb pressed_top, pressed_bottom;  // pressed button face
    QRgb text;
    QRgb heading;
    QRgb title_top, title_bottom, title_edge, title_text, title_shadow;
    QRgb lamp_off, lamp_on;
    QRgb lit_top, lit_bottom;  // face of a selected switch
};

const Theme& warm_theme();  // the main window and the splash window
const Theme& dark_theme();  // the directory chooser

// Top of the capitals for text whose capitals are centred in `rect`.
int text_top(const QRect& rect);

// The raised two-pixel edge of a window or panel.
void panel_edges(QImage& image, const QRect& panel, const Theme& theme);
// A two-pixel raised or pressed bevel with its face filled; a lit box is pressed with a warm face.
void bevel_box(QImage& image, const QRect& rect, const Theme& theme, bool pressed,
               bool lit = false);
// Bevelled push button with its caption centred; pressed shifts the caption by one pixel, lit
// also warms the face (a selected member of a radio group).
void push_button(QImage& image, const QRect& rect, std::string_view caption, const Theme& theme,
                 bool pressed, bool lit = false, Weight weight = Weight::Regular);
// Small button with a grid of four squares.
void grid_button(QImage& image, const QRect& rect, const Theme& theme, bool pressed);
// Minimise ('_') or quit ('x') button of a title strip.
void title_button(QImage& image, const QRect& rect, char mark, const Theme& theme, bool pressed);
// Round knob; `close` adds the cross of a close box.
void round_knob(QImage& image, const QRect& rect, bool close, const Theme& theme, bool pressed);
void stepper(QImage& image, const QRect& rect, char mark, const Theme& theme, bool pressed);
// Selectable row: lamp at the left, caption after it; lit and pressed when selected.
void lamp_row(QImage& image, const QRect& rect, std::string_view caption, bool round_lamp,
              const Theme& theme, bool selected);
// Font style switch showing its letter in its own style (I italic, B bold, U underlined).
void style_button(QImage& image, const QRect& rect, char letter, const Theme& theme, bool selected);

// Sunken frame drawn outside `interior`: `top_left` pixels of shadow above and left (1 or 2),
// one pixel of light below and right. Sides listed in `open_sides` ("r" for right, say) are
// left out where a button continues the frame.
void sunken_frame(QImage& image, const QRect& interior, const Theme& theme, int top_left,
                  std::string_view open_sides = "");

// Title strip filling `band`, with its caption from `caption_x` and an etched grip from
// `grip_from` to `grip_to` that shows it can be dragged.
void title_band(QImage& image, const QRect& band, std::string_view caption, int caption_x,
                int grip_from, int grip_to, const Theme& theme);

// Section heading: words, then an etched rule to the end of `rect`.
void heading(QImage& image, const QRect& rect, std::string_view text, const Theme& theme);
// Plain words, capitals centred vertically in `rect`.
void label(QImage& image, const QRect& rect, std::string_view text, QRgb colour);

}  // namespace qv::art
