#pragma once
// A drawing canvas of the window: holds its persistent image (a Canvas) and shows it. Its
// size follows the image; it sits inside a frame widget that clips it.
#include "core/render/canvas.h"

#include <QWidget>

namespace qv {

class CanvasView : public QWidget {
    Q_OBJECT
  public:
    CanvasView(QSize size, QColor back_colour, QWidget* frame);

    Canvas& canvas() { return canvas_; }
    const Canvas& canvas() const { return canvas_; }
    // Gives the canvas a picture: it takes the picture's size and keeps its label font.
    void set_picture(const QImage& picture);
    // Sets the canvas size (the image is cleared to the back colour).
    void set_canvas_size(QSize size);
    // Gives the canvas a new back colour and clears it to that colour.
    void set_back_colour(QColor colour);
    // Shows the persistent image on the screen.
    void present();

  signals:
    void MouseDown(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    Canvas canvas_;
};

}  // namespace qv
