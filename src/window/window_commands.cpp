#include "window/form_main.h"
#include "window/form_splash.h"

#include <QLabel>

void Form_Main::wire_window_commands() {
    connect(Image_Move, &qv::HotSpot::MouseMove, this, &Form_Main::Image_Move_MouseMove);
    connect(Image1, &qv::HotSpot::MouseMove, this, &Form_Main::Image1_MouseMove);
    connect(Image_About, &qv::HotSpot::Click, this, &Form_Main::Image_About_Click);
}

void Form_Main::Image_Move_MouseMove(int button, int /*shift*/, double x, double y) {
    follow_title_strip(button, Image_Move->mapToGlobal(QPointF(x, y)));
}

void Form_Main::Image1_MouseMove(int button, int /*shift*/, double x, double y) {
    follow_title_strip(button, Image1->mapToGlobal(QPointF(x, y)));
}

void Form_Main::Image_Min_MouseUp(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {
    showMinimized();
}

void Form_Main::Image_Quit_MouseUp(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {
    platform().end_program();
}

void Form_Main::Image_About_Click() {
    // The splash window without its start-up content, modal until its close hot-spot.
    splash().Label1->setText(QString());
    splash().Label2->setText(QString());
    splash().centre_on_screen();
    splash().set_gauge_width(0);
    if (splash().isVisible()) splash().hide();  // shown by the catalogue: shown again, modal
    platform().run_modal(splash());
}
