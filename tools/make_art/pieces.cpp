#include "pieces.h"

#include "pixel_font.h"
#include "raster.h"

#include <algorithm>
#include <cmath>

namespace qv::art {

const Theme& warm_theme() {
    static const Theme theme{
        .panel = qRgb(178, 177, 164),
        .highlight = qRgb(240, 239, 228),
        .light = qRgb(208, 207, 194),
        .shade = qRgb(132, 130, 118),
        .dark = qRgb(64, 62, 54),
        .face_top = qRgb(196, 195, 182),
        .face_bottom = qRgb(172, 171, 158),
        .pressed_top = qRgb(140, 139, 126),
        .pressed_bottom = qRgb(156, 155, 142),
        .text = qRgb(28, 27, 22),
        .heading = qRgb(52, 50, 42),
        .title_top = qRgb(92, 108, 138),
        .title_bottom = qRgb(44, 56, 82),
        .title_edge = qRgb(28, 34, 48),
        .title_text = qRgb(246, 242, 224),
        .title_shadow = qRgb(18, 22, 32),
        .lamp_off = qRgb(98, 90, 72),
        .lamp_on = qRgb(255, 190, 52),
        .lit_top = qRgb(150, 136, 104),
        .lit_bottom = qRgb(170, 156, 120),
    };
    return theme;
}

const Theme& dark_theme() {
    static const Theme theme{
        .panel = qRgb(76, 76, 80),
        .highlight = qRgb(138, 138, 144),
        .light = qRgb(106, 106, 112),
        .shade = qRgb(52, 52, 56),
        .dark = qRgb(24, 24, 27),
        .face_top = qRgb(100, 100, 106),
        .face_bottom = qRgb(80, 80, 86),
        .pressed_top = qRgb(56, 56, 60),
        .pressed_bottom = qRgb(66, 66, 70),
        .text = qRgb(232, 230, 220),
        .heading = qRgb(206, 204, 192),
        .title_top = qRgb(92, 108, 138),
        .title_bottom = qRgb(44, 56, 82),
        .title_edge = qRgb(16, 18, 24),
        .title_text = qRgb(246, 242, 224),
        .title_shadow = qRgb(18, 22, 32),
        .lamp_off = qRgb(40, 38, 34),
        .lamp_on = qRgb(255, 190, 52),
        .lit_top = qRgb(70, 64, 52),
        .lit_bottom = qRgb(84, 76, 60),
    };
    return theme;
}

int text_top(const QRect& rect) {
    return rect.top() + (rect.height() - kFontAscent) / 2;
}

void panel_edges(QImage& image, const QRect& panel, const Theme& theme) {
    edges(image, panel, theme.highlight, theme.dark);
    edges(image, panel.adjusted(1, 1, -1, -1), theme.light, theme.shade);
}

void bevel_box(QImage& image, const QRect& rect, const Theme& theme, bool pressed, bool lit) {
    const QRect face = rect.adjusted(2, 2, -2, -2);
    if (pressed) {
        vgradient(image, rect.adjusted(1, 1, -1, -1), lit ? theme.lit_top : theme.pressed_top,
                  lit ? theme.lit_bottom : theme.pressed_bottom);
        edges(image, rect, theme.dark, theme.highlight);
        hline(image, rect.left() + 1, rect.right() - 1, rect.top() + 1, theme.shade);
        vline(image, rect.left() + 1, rect.top() + 1, rect.bottom() - 1, theme.shade);
    } else {
        vgradient(image, face, theme.face_top, theme.face_bottom);
        edges(image, rect, theme.highlight, theme.dark);
        edges(image, rect.adjusted(1, 1, -1, -1), theme.light, theme.shade);
    }
}

void push_button(QImage& image, const QRect& rect, std::string_view caption, const Theme& theme,
                 bool pressed, bool lit, Weight weight) {
    bevel_box(image, rect, theme, pressed, lit);
    const int shift = pressed ? 1 : 0;
    const int x = rect.left() + (rect.width() - text_width(caption, weight)) / 2 + shift;
    draw_text(image, {x, text_top(rect) + shift}, caption, theme.text, weight);
}

void grid_button(QImage& image, const QRect& rect, const Theme& theme, bool pressed) {
    bevel_box(image, rect, theme, pressed);
    const int shift = pressed ? 1 : 0;
    const int x0 = rect.left() + (rect.width() - 7) / 2 + shift;
    const int y0 = rect.top() + (rect.height() - 7) / 2 + shift;
    for (int gy = 0; gy < 2; ++gy)
        for (int gx = 0; gx < 2; ++gx) {
            const QRect cell(x0 + gx * 4, y0 + gy * 4, 3, 3);
            fill(image, cell, theme.text);
            put(image, cell.left(), cell.top(), theme.shade);
        }
}

void title_button(QImage& image, const QRect& rect, char mark, const Theme& theme, bool pressed) {
    bevel_box(image, rect, theme, pressed);
    const int shift = pressed ? 1 : 0;
    const int cx = rect.left() + (rect.width() - 5) / 2 + shift;
    const int cy = rect.top() + (rect.height() - 5) / 2 + shift;
    if (mark == '_') {
        fill(image, QRect(cx, cy + 3, 5, 2), theme.text);
    } else {
        for (int i = 0; i < 5; ++i) {
            put(image, cx + i, cy + i, theme.text);
            put(image, cx + 4 - i, cy + i, theme.text);
        }
    }
}

void round_knob(QImage& image, const QRect& rect, bool close, const Theme& theme, bool pressed) {
    const double radius = std::min(rect.width(), rect.height()) / 2.0;
    const QPointF centre(rect.left() + rect.width() / 2.0, rect.top() + rect.height() / 2.0);
    const QRgb base = close ? qRgb(206, 68, 48) : qRgb(226, 164, 60);
    const QRgb lit = close ? qRgb(255, 168, 140) : qRgb(255, 232, 160);
    const QRgb deep = close ? qRgb(110, 24, 16) : qRgb(128, 80, 20);
    disc(image, centre, radius, [&](double, double) { return theme.title_edge; });
    disc(image, centre, radius - 1.0, [&](double dx, double dy) {
        // Lit from the top left when raised, from the bottom right when pressed in.
        double light = -(dx + dy) / (2.0 * radius) * (pressed ? -1.0 : 1.0);
        light = std::clamp(light + 0.5, 0.0, 1.0);
        QRgb colour =
            light > 0.5 ? mix(base, lit, (light - 0.5) * 2.0) : mix(deep, base, light * 2.0);
        if (pressed) colour = mix(colour, deep, 0.25);
        return colour;
    });
    if (close) {
        const QRgb cross = pressed ? qRgb(236, 196, 186) : qRgb(255, 240, 232);
        const int x0 = static_cast<int>(std::floor(centre.x() - 2));
        const int y0 = static_cast<int>(std::floor(centre.y() - 2)) + (pressed ? 1 : 0);
        const int xs = x0 + (pressed ? 1 : 0);
        for (int i = 0; i < 4; ++i) {
            blend(image, xs + i, y0 + i, cross, 0.85);
            blend(image, xs + 3 - i, y0 + i, cross, 0.85);
        }
    }
}

void stepper(QImage& image, const QRect& rect, char mark, const Theme& theme, bool pressed) {
    bevel_box(image, rect, theme, pressed);
    const int shift = pressed ? 1 : 0;
    const int cx = rect.left() + (rect.width() - 6) / 2 + shift;
    const int cy = rect.top() + (rect.height() - 6) / 2 + shift;
    fill(image, QRect(cx, cy + 2, 6, 2), theme.text);
    if (mark == '+') fill(image, QRect(cx + 2, cy, 2, 6), theme.text);
}

namespace {

// A 7 x 7 indicator lamp, round for a radio group and square for a switch.
void lamp(QImage& image, QPoint top_left, bool round, const Theme& theme, bool on) {
    const QRgb core = on ? theme.lamp_on : theme.lamp_off;
    const QRgb hot = on ? qRgb(255, 250, 214) : shade(core, 30);
    const QPointF centre(top_left.x() + 3.5, top_left.y() + 3.5);
    if (on) {
        // A lit lamp throws a little light on the face around it.
        disc(image, centre, 6.5, [&](double dx, double dy) {
            const double fall = std::max(0.0, 1.0 - std::hypot(dx, dy) / 6.5);
            return qRgba(qRed(core), qGreen(core), qBlue(core), static_cast<int>(150 * fall));
        });
    }
    if (round) {
        disc(image, centre, 3.5, [&](double, double) { return theme.dark; });
        disc(image, centre, 2.6, [&](double dx, double dy) {
            return mix(hot, core, std::min(1.0, std::hypot(dx + 0.8, dy + 0.8) / 2.6));
        });
    } else {
        const QRect box(top_left, QSize(7, 7));
        fill(image, box, theme.dark);
        vgradient(image, box.adjusted(1, 1, -1, -1), hot, core);
        if (on) put(image, box.left() + 2, box.top() + 2, qRgb(255, 255, 255));
    }
}

}  // namespace

void lamp_row(QImage& image, const QRect& rect, std::string_view caption, bool round_lamp,
              const Theme& theme, bool selected) {
    bevel_box(image, rect, theme, selected, selected);
    const int shift = selected ? 1 : 0;
    const int lamp_top = rect.top() + (rect.height() - 7) / 2 + shift;
    lamp(image, {rect.left() + 4 + shift, lamp_top}, round_lamp, theme, selected);
    draw_text(image, {rect.left() + 15 + shift, text_top(rect) + shift}, caption, theme.text);
}

void style_button(QImage& image, const QRect& rect, char letter, const Theme& theme,
                  bool selected) {
    bevel_box(image, rect, theme, selected, selected);
    const int shift = selected ? 1 : 0;
    const std::string_view text(&letter, 1);
    const Weight weight = letter == 'B' ? Weight::Bold : Weight::Regular;
    const int width = text_width(text, weight);
    const int x = rect.left() + (rect.width() - width) / 2 + shift;
    const int y = text_top(rect) + shift - (letter == 'U' ? 1 : 0);
    const QRgb ink = selected ? qRgb(96, 52, 0) : theme.text;
    if (letter == 'I') {
        // The italic capital is drawn slanted by hand: the font has no italics.
        constexpr const char* kItalicI[] = {"..###", "...#.", "...#.", "..#..",
                                            "..#..", ".#...", "###.."};
        const int left = rect.left() + (rect.width() - 5) / 2 + shift;
        for (int row = 0; row < kFontAscent; ++row)
            for (int col = 0; col < 5; ++col)
                if (kItalicI[row][col] == '#') put(image, left + col, y + row, ink);
    } else {
        draw_text(image, {x, y}, text, ink, weight);
        if (letter == 'U') hline(image, x - 1, x + width, y + kFontAscent + 1, ink);
    }
}

void sunken_frame(QImage& image, const QRect& interior, const Theme& theme, int top_left,
                  std::string_view open_sides) {
    auto open = [&](char side) { return open_sides.find(side) != std::string_view::npos; };
    const QRect outer = interior.adjusted(-top_left, -top_left, 1, 1);
    if (!open('b')) hline(image, outer.left(), outer.right(), outer.bottom(), theme.highlight);
    if (!open('r')) vline(image, outer.right(), outer.top(), outer.bottom(), theme.highlight);
    const int right_end = open('r') ? outer.right() : outer.right() - 1;
    for (int ring = 0; ring < top_left; ++ring) {
        const QRgb colour = (ring == 0 && top_left == 2) ? theme.shade : theme.dark;
        const int x = outer.left() + ring;
        const int y = outer.top() + ring;
        if (!open('t')) hline(image, x, right_end - (open('r') ? 0 : ring), y, colour);
        if (!open('l')) vline(image, x, y, outer.bottom() - 1 - ring, colour);
    }
}

void title_band(QImage& image, const QRect& band, std::string_view caption, int caption_x,
                int grip_from, int grip_to, const Theme& theme) {
    vgradient(image, band, theme.title_top, theme.title_bottom);
    edges(image, band, theme.title_edge, theme.title_edge);
    hline(image, band.left() + 1, band.right() - 1, band.top() + 1,
          mix(theme.title_top, qRgb(255, 255, 255), 0.3));
    const int y = text_top(band);
    draw_text(image, {caption_x + 1, y + 1}, caption, theme.title_shadow, Weight::Bold);
    draw_text(image, {caption_x, y}, caption, theme.title_text, Weight::Bold);
    const int middle = band.top() + band.height() / 2 - 1;
    for (int line = -1; line <= 1; ++line) {
        const int gy = middle + line * 3;
        hline(image, grip_from, grip_to, gy, theme.title_edge);
        hline(image, grip_from, grip_to, gy + 1, mix(theme.title_top, qRgb(255, 255, 255), 0.2));
    }
}

void heading(QImage& image, const QRect& rect, std::string_view text, const Theme& theme) {
    const int y = text_top(rect);
    draw_text(image, {rect.left(), y}, text, theme.heading);
    const int from = rect.left() + text_width(text) + 4;
    if (from + 4 > rect.right()) return;
    hline(image, from, rect.right(), y + 4, theme.shade);
    hline(image, from, rect.right(), y + 5, theme.highlight);
}

void label(QImage& image, const QRect& rect, std::string_view text, QRgb colour) {
    draw_text(image, {rect.left(), text_top(rect)}, text, colour);
}

}  // namespace qv::art
