#include "shell/form_main.h"

// Placeholder: handlers of this concern are not built yet.

void Form_Main::wire_background() {}

void Form_Main::Image_loadbutton_MouseDown(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
void Form_Main::Image_loadbutton_MouseUp(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
void Form_Main::Image_buttonbrowse_MouseDown(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
void Form_Main::Image_buttonbrowse_MouseUp(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
