#pragma once
// The splash window: progress of the font catalogue at start-up, and the about window. It is
// loaded (created hidden and centred) when first referred to and unloaded by its close hot-spot.
#include "window/hot_spot.h"
#include "window/skinned_window.h"

#include <QDialog>

class QLabel;

class Form_Splash : public qv::SkinnedWindow<QDialog> {
    Q_OBJECT
  public:
    explicit Form_Splash(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;           // white, centred: what is being loaded
    QLabel* Label2 = nullptr;           // centred: the font just added
    QLabel* Picture_Gauge = nullptr;    // reveals the gauge bar from the left
    qv::HotSpot* Image_Quit = nullptr;  // close
    qv::HotSpot* Image2 = nullptr;      // title strip
    qv::HotSpot* Image1 = nullptr;      // inert

    void Form_Load();  // centres the window on the screen
    void Image_Quit_Click();
    void Image2_MouseMove(int button, int shift, double x, double y);

    int gauge_width() const;
    void set_gauge_width(float pixels);  // a fractional width shows as whole pixels

    // Closes and destroys the window once control is back in the event loop; a modal display
    // ends. Whoever holds it must take a new one afterwards.
    void unload();
    bool unloaded() const { return unloaded_; }

    // Closing by the window manager or Escape unloads too, as the close hot-spot does.
    void reject() override;

  private:
    bool unloaded_ = false;
};
