#include "shell/form_main.h"

// Placeholder: handlers of this concern are not built yet.

void Form_Main::wire_typography_panel() {}

void Form_Main::Image_typotruetype_Click() {}
void Form_Main::Image_typobitmap_Click() {}
void Form_Main::Image_typoback_MouseDown(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
void Form_Main::Image_typoback_MouseUp(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
void Form_Main::Image_TypoBrowse_MouseDown(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
void Form_Main::Image_TypoBrowse_MouseUp(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}

int Form_Main::width_twips() const { return width() * qv::layout::kTwipsPerPixel; }
void Form_Main::set_width_twips(int twips) { resize(twips / qv::layout::kTwipsPerPixel, height()); }
void Form_Main::collapse() {}
void Form_Main::expand() {}
