#pragma once
// The looks a set is made in: the main look and, when asked for, the hover and pressed looks,
// each with its own style and picture, written beside the main button under a suffix.
#include "core/render/button_style.h"
#include "core/render/canvas.h"

#include <QImage>
#include <QString>

namespace qv::cli {

struct ButtonLook {
    ButtonStyle style;   // shared by every button; label_text is set per label
    Canvas background;   // the picture as the window shows it, or the blank canvas
    QImage transparent;  // the picture with its alpha channel, when the output keeps it
    QString suffix;      // after the file name: empty for the main look
};

// One worker's drawing of one look, on canvases of its own; the look's pictures are shared,
// read only.
class LookPainter {
  public:
    explicit LookPainter(const ButtonLook& look);

    // The finished button for `label`, valid until the next call. As in the window, a button
    // whose drawing failed part way is given as drawn.
    const QImage& paint(const QString& label);

  private:
    ButtonStyle style_;
    const Canvas background_;
    Canvas preview_;  // the opaque button, or the label layer over a transparent picture
    const QImage transparent_;
    QImage out_;
};

}  // namespace qv::cli
