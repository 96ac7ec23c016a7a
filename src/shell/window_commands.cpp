#include "shell/form_main.h"

// Placeholder: handlers of this concern are not built yet.

void Form_Main::wire_window_commands() {}

void Form_Main::Image_Move_MouseMove(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
void Form_Main::Image1_MouseMove(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
void Form_Main::Image_Min_MouseDown(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
void Form_Main::Image_Min_MouseUp(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
void Form_Main::Image_Quit_MouseDown(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
void Form_Main::Image_Quit_MouseUp(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
void Form_Main::Image_About_Click() {}
