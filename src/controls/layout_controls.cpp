#include "shell/form_main.h"

// Placeholder: handlers of this concern are not built yet.

void Form_Main::wire_layout_controls() {}

void Form_Main::Image_left_Click() {}
void Form_Main::Image_center_Click() {}
void Form_Main::Image_right_Click() {}
void Form_Main::Image_leftmoins_Click() {}
void Form_Main::Image_leftplus_Click() {}
void Form_Main::Image_rightmoins_Click() {}
void Form_Main::Image_rightplus_Click() {}
void Form_Main::Image_sizemoins_Click() {}
void Form_Main::Image_sizeplus_Click() {}
void Form_Main::Picture_previewscroll_MouseDown(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
void Form_Main::Picture_previewscroll_MouseMove(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
