#pragma once
// A drawing canvas of the window: holds its persistent image (a Canvas) and shows it. Its
// size follows the image; it sits inside a frame widget that clips it.
#include "core/render/canvas.h"
#include "window/mouse_control.h"

namespace qv {

class CanvasView : public MouseControl {
    Q_OBJECT
  public:
    CanvasView(QSize size, QColor back_colour, QWidget* frame);

    Canvas& canvas() { return canvas_; }
    const Canvas& canvas() const { return canvas_; }
    // Gives the canvas a picture: it takes the picture's size and keeps its label font.
    void set_picture(const QImage& picture);
    // Sets the canvas size (the image is cleared to the back colour; the label font stays).
    void set_canvas_size(QSize size);
    // Gives the canvas a new back colour and clears it to that colour.
    void set_back_colour(QColor colour);
    // Shows the persistent image on the screen.
    void present();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Canvas canvas_;
};

}  // namespace qv
