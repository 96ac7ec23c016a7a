#include "shell/form_main.h"

// Placeholder: handlers of this concern are not built yet.

void Form_Main::wire_text_list() {}

void Form_Main::Image_loadTxt_MouseDown(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
void Form_Main::Image_loadTxt_MouseUp(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
void Form_Main::Image_loadTxt_Click() {}
void Form_Main::List1_Click() {}
