#pragma once
// What the three borderless windows share: a face picture that is their whole background, the
// program's icon, centring on the screen and moving by a title strip.
#include <QColor>
#include <QDialog>
#include <QImage>
#include <QPointF>
#include <QString>
#include <QWidget>

namespace qv {

// A picture from the resources as an RGB32 image; a plain `fallback` of `size` when it is missing.
QImage skin_picture(const QString& resource, QSize size, QColor fallback);

// Base is QWidget for the main window and QDialog for the modal ones.
template <class Base>
class SkinnedWindow : public Base {
  public:
    // The window's background picture, as wide as the window can grow.
    const QImage& face() const { return face_; }
    // Centres the window on its screen (the primary screen before it is first shown).
    void centre_on_screen();

  protected:
    SkinnedWindow(QWidget* parent, const char* name, const QString& title, const QString& picture,
                  QSize size, QColor fallback);
    // A title strip's mouse-move: with the left button alone held the window follows the pointer.
    void follow_title_strip(int buttons, QPointF pointer);
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage face_;
};

extern template class SkinnedWindow<QWidget>;
extern template class SkinnedWindow<QDialog>;

}  // namespace qv
