#include "shell/form_main.h"

// Placeholder: handlers of this concern are not built yet.

void Form_Main::wire_batch_run() {}

void Form_Main::Image_Make_MouseDown(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
void Form_Main::Image_Make_MouseUp(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
