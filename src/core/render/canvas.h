#pragma once
// A drawing surface: its persistent image (what is measured, copied and saved) and the label font
// last set on it, which later measurements of the line height use.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>

namespace qv {

// The window's own background colour, which canvases without a picture show.
inline const QColor kWindowBackground{240, 240, 240};
// The skin's panel colour, also the font preview's back colour.
inline const QColor kPanelColour{178, 177, 164};

struct Canvas {
    QImage image;  // Format_RGB32 at 96 dots per inch
    QFont font;
    QColor back_colour = kWindowBackground;

    // A canvas of the given size filled with its back colour.
    static Canvas make(QSize size, QColor back_colour);
    // A canvas holding a copy of the picture (converted to RGB32 at 96 dpi).
    static Canvas from_picture(const QImage& picture, QColor back_colour);
    void clear();  // fill with the back colour
    int width() const { return image.width(); }
    int height() const { return image.height(); }
};

// Sets 96 dots per inch on an image so point sizes convert as on a standard screen.
void set_screen_resolution(QImage& image);

}  // namespace qv
