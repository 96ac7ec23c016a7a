#pragma once
// Paints the buttons of a set as their files hold them: the opaque button the window previews, or,
// over a picture whose transparency the file format keeps, the label laid over that picture. The
// window's run and the tool both write what this paints, so their files are the same bytes.
#include "core/render/button_style.h"
#include "core/render/canvas.h"
#include "core/render/label_placement.h"
#include "core/render/text_renderer.h"

#include <QImage>

namespace qv {

class ButtonPainter {
  public:
    // `background` is the picture as the window shows it (or the blank canvas); `transparent` the
    // picture with its alpha channel, or a null image when the file flattens it. Both are shared,
    // read only, with every other painter of the look: one picture in memory however many workers
    // draw it. `layout` says how labels are made to fit; the default draws them as the style
    // places them.
    ButtonPainter(const Canvas& background, const QImage& transparent, LabelLayout layout = {});

    // The finished button for `style` (its label included), valid until the next call. As in the
    // window, a button whose drawing failed part way is given as drawn. `ink`, when given, gets
    // what the label loses: ink past the button's edges, characters no font has. `placement`,
    // when given, gets the size, lines and width the label was drawn with.
    const QImage& paint(const ButtonStyle& style, LabelInk* ink = nullptr,
                        Placement* placement = nullptr);

    // The button with its label drawn at `placement` (from place_label for this style, or at the
    // width another look of the button takes): its background stretched to the placement's width
    // by the layout's stretch. For a painter whose layout adjusts labels.
    const QImage& paint(const ButtonStyle& style, const Placement& placement,
                        LabelInk* ink = nullptr);

  private:
    // The background (opaque, and with alpha when kept) at `width`: the picture itself at its own
    // width, else stretched. The last width's is kept, as buttons of a set often share widths.
    void stretch_to(int width);

    const Canvas background_;
    const QImage transparent_;
    const LabelLayout layout_;
    Canvas preview_;  // the opaque button, or the label layer over a transparent picture
    QImage out_;
    Canvas stretched_;              // background_ at stretched_width_
    QImage stretched_transparent_;  // transparent_ at stretched_width_
    int stretched_width_ = -1;
};

}  // namespace qv
