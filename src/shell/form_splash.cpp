#include "shell/form_splash.h"

// Placeholder until the splash window is built.
#include <QLabel>

Form_Splash::Form_Splash(QWidget* parent) : QDialog(parent) {}
void Form_Splash::Form_Load() {}
void Form_Splash::Image_Quit_Click() {}
void Form_Splash::Image2_MouseMove(int, int, double, double) {}
int Form_Splash::gauge_width() const { return 0; }
void Form_Splash::set_gauge_width(double) {}
