#include "shell/form_main.h"

// Placeholder: handlers of this concern are not built yet.

void Form_Main::wire_entries() {}

void Form_Main::Text_R_Change() {}
void Form_Main::Text_G_Change() {}
void Form_Main::Text_B_Change() {}
void Form_Main::Text_Texte_Change() {}
void Form_Main::List_Typo_Click() {}
