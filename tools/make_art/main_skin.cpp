#include "pixel_font.h"
#include "raster.h"
#include "skins.h"
#include "window/skin/skin_layout.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace qv::art {
namespace {

using layout::Art;

// Where a frame's drawn interior differs from its control, so that frames stacked in one
// column share their edges, and how thick its shadow is where space is tight.
struct FrameStyle {
    const char* name;
    QRect interior;  // empty: the control's own rectangle
    int top_left;
    const char* open_sides;
};

constexpr FrameStyle kFrameStyles[] = {
    {"Text_Texte", {163, 43, 150, 14}, 2, ""},
    {"Picture_button", {6, 41, 152, 56}, 2, ""},
    {"Picture4", {}, 2, "r"},
    {"Label_alignleft", {}, 1, "r"},
    {"Label_alignright", {}, 1, "r"},
    {"Label_size", {}, 1, "r"},
};

FrameStyle frame_style(const layout::Control& control) {
    for (const FrameStyle& style : kFrameStyles)
        if (std::strcmp(style.name, control.name) == 0) {
            FrameStyle result = style;
            if (result.interior.isEmpty()) result.interior = control.rect;
            return result;
        }
    return {control.name, control.rect, 2, ""};
}

// Colour chips beside the red, green and blue boxes.
struct Chip {
    const char* control;
    QRgb colour;
};

constexpr Chip kChips[] = {
    {"Text_R", qRgb(214, 40, 32)},
    {"Text_G", qRgb(40, 164, 48)},
    {"Text_B", qRgb(40, 84, 214)},
};

void draw_chips(QImage& image, const Theme& theme) {
    for (const Chip& chip : kChips) {
        const QRect box = layout::main_control(chip.control).rect;
        const QRect cell(box.left() - 11, box.top() + (box.height() - 7) / 2, 7, 7);
        edges(image, cell, theme.dark, theme.highlight);
        const QRect inner = cell.adjusted(1, 1, -1, -1);
        vgradient(image, inner, mix(chip.colour, qRgb(255, 255, 255), 0.35), chip.colour);
    }
}

// A control that overlaps the bottom rows of a hot-spot (the text list under "load txt") hides
// them, so the button is drawn on the rows that show, with its full bevel.
QRect visible_part(QRect rect) {
    for (const layout::Control& control : layout::main_controls()) {
        if (*control.frame != '\0' || !control.rect.intersects(rect)) continue;
        if (control.rect.top() > rect.top()) rect.setBottom(control.rect.top() - 1);
    }
    return rect;
}

}  // namespace

QRect main_panel_of(const QRect& rect) {
    return rect.left() < layout::kCollapsedWidth
               ? QRect(0, 0, layout::kCollapsedWidth, layout::kSkinHeight)
               : QRect(layout::kCollapsedWidth, 0, layout::kSkinWidth - layout::kCollapsedWidth,
                       layout::kSkinHeight);
}

namespace {

void draw_title(QImage& image, const layout::Item& strip, const Theme& theme, const QRect& panel) {
    const QRect band(panel.left() + 2, 2, panel.width() - 4, 16);
    const int caption_x = std::max(strip.rect.left() + 4, band.left() + 6);
    const int grip_from = caption_x + text_width(strip.caption, Weight::Bold) + 7;
    title_band(image, band, strip.caption, caption_x, grip_from, strip.rect.right() - 3, theme);
}

}  // namespace

void draw_item(QImage& image, const layout::Item& item, const Theme& theme, bool pressed,
               const QRect& panel) {
    // Buttons that latch (radio groups, switches) light up when selected.
    const bool selects =
        item.feedback == layout::Feedback::Radio || item.feedback == layout::Feedback::Toggle;
    switch (item.art) {
        case Art::TitleStrip:
            draw_title(image, item, theme, panel);
            break;
        case Art::RoundClose:
        case Art::RoundKnob:
            round_knob(image, item.rect, item.art == Art::RoundClose, theme, pressed);
            break;
        case Art::SquareButton:
            title_button(image, item.rect, item.caption[0], theme, pressed);
            break;
        case Art::Button:
        case Art::Command:
            push_button(image, item.rect, item.caption, theme, pressed, selects && pressed,
                        item.art == Art::Command ? Weight::Bold : Weight::Regular);
            break;
        case Art::GridButton:
            grid_button(image, item.rect, theme, pressed);
            break;
        case Art::RadioRow:
            lamp_row(image, item.rect, item.caption, item.feedback == layout::Feedback::Radio,
                     theme, pressed);
            break;
        case Art::StepperMinus:
        case Art::StepperPlus:
            stepper(image, item.rect, item.art == Art::StepperPlus ? '+' : '-', theme, pressed);
            break;
        case Art::StyleButton:
            style_button(image, item.rect, item.caption[0], theme, pressed);
            break;
        case Art::Field:
        case Art::Frame:
            sunken_frame(image, item.rect, theme, 2);
            break;
        case Art::None:
        case Art::Heading:
        case Art::Label:
            break;
    }
}

void draw_caption(QImage& image, const layout::Caption& caption, const Theme& theme) {
    if (caption.art == Art::Heading)
        heading(image, caption.rect, caption.text, theme);
    else
        label(image, caption.rect, caption.text, theme.text);
}

QImage main_skin(bool pressed) {
    const Theme& theme = warm_theme();
    QImage image(layout::kSkinWidth, layout::kSkinHeight, QImage::Format_RGB32);
    image.fill(theme.panel);
    panel_edges(image, main_panel_of({0, 0, 1, 1}), theme);
    panel_edges(image, main_panel_of({layout::kCollapsedWidth, 0, 1, 1}), theme);
    for (const layout::Control& control : layout::main_controls()) {
        if (control.art != Art::Field && control.art != Art::Frame) continue;
        const FrameStyle style = frame_style(control);
        sunken_frame(image, style.interior, theme, style.top_left, style.open_sides);
    }
    for (const layout::Caption& caption : layout::main_captions())
        draw_caption(image, caption, theme);
    draw_chips(image, theme);
    // Title strips first: the knobs and buttons on them are drawn over the band.
    for (const layout::Item& item : layout::main_hot_spots())
        if (item.art == Art::TitleStrip)
            draw_item(image, item, theme, false, main_panel_of(item.rect));
    for (const layout::Item& item : layout::main_hot_spots()) {
        if (item.art == Art::TitleStrip) continue;
        layout::Item visible = item;
        visible.rect = visible_part(item.rect);
        draw_item(image, visible, theme, pressed, main_panel_of(item.rect));
    }
    return image;
}

}  // namespace qv::art
