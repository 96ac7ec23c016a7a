#pragma once
// Paints the buttons of a set as their files hold them: the opaque button the window previews, or,
// over a picture whose transparency the file format keeps, the label laid over that picture. The
// window's run and the tool both write what this paints, so their files are the same bytes.
#include "core/render/button_style.h"
#include "core/render/canvas.h"
#include "core/render/text_renderer.h"

#include <QImage>

namespace qv {

class ButtonPainter {
  public:
    // `background` is the picture as the window shows it (or the blank canvas); `transparent` the
    // picture with its alpha channel, or a null image when the file flattens it. Both are shared,
    // read only, with every other painter of the look: one picture in memory however many workers
    // draw it.
    ButtonPainter(const Canvas& background, const QImage& transparent);

    // The finished button for `style` (its label included), valid until the next call. As in the
    // window, a button whose drawing failed part way is given as drawn. `ink`, when given, gets
    // what the label loses: ink past the button's edges, characters no font has.
    const QImage& paint(const ButtonStyle& style, LabelInk* ink = nullptr);

  private:
    const Canvas background_;
    Canvas preview_;  // the opaque button, or the label layer over a transparent picture
    const QImage transparent_;
    QImage out_;
};

}  // namespace qv
