#include "shell/form_main.h"
#include "shell/form_splash.h"

// Placeholder until start-up is built.
void Form_Main::Form_Load() {}

Form_Splash& Form_Main::splash() {
    if (!splash_) splash_ = new Form_Splash(this);
    return *splash_;
}

void Form_Main::unload_splash() {
    delete splash_;
    splash_ = nullptr;
}
