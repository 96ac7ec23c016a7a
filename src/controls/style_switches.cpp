#include "shell/form_main.h"

// Placeholder: handlers of this concern are not built yet.

void Form_Main::wire_style_switches() {}

void Form_Main::Image_effet1_Click() {}
void Form_Main::Image_effet2_Click() {}
void Form_Main::Image_effet3_Click() {}
void Form_Main::Image2_Click() {}
void Form_Main::Image3_Click() {}
void Form_Main::Image4_Click() {}
