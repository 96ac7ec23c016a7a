#pragma once
// The window faces, drawn from the layout table in true colour; art_set.cpp turns them into the
// stored 8-bit pictures.
#include "pieces.h"

#include <QImage>

namespace qv::layout {
struct Item;
struct Caption;
}  // namespace qv::layout

namespace qv::art {

// The main window's skin: every button normal, or every button pressed or selected.
QImage main_skin(bool pressed);
QImage splash_face();
QImage chooser_face();

// One hot-spot's or caption's art, as the layout table describes it.
// `panel` is the part of the window the item belongs to (a title strip spans its width).
void draw_item(QImage& image, const layout::Item& item, const Theme& theme, bool pressed,
               const QRect& panel);
// The main window's left panel (x 0 to 318) or its font configuration panel, by where `rect` is.
QRect main_panel_of(const QRect& rect);
void draw_caption(QImage& image, const layout::Caption& caption, const Theme& theme);

}  // namespace qv::art
