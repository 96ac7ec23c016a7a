#pragma once
// The splash window: progress of the font catalogue at start-up, and the about window.
#include "shell/hot_spot.h"
#include "shell/platform_services.h"

#include <QDialog>

class QLabel;

class Form_Splash : public QDialog {
    Q_OBJECT
public:
    explicit Form_Splash(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Picture_Gauge = nullptr;  // reveals the gauge bar from the left
    HotSpot* Image_Quit = nullptr;
    HotSpot* Image2 = nullptr;
    HotSpot* Image1 = nullptr;

    void Form_Load();  // centres the window on the screen
    void Image_Quit_Click();
    void Image2_MouseMove(int button, int shift, double x, double y);

    int gauge_width() const;
    void set_gauge_width(double pixels);  // a fractional width shows as whole pixels
};
