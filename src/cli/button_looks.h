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

}  // namespace qv::cli
