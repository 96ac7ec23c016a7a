#include "window/form_main.h"

#include <QLineEdit>
#include <QListWidget>

void Form_Main::wire_entries() {
    // textChanged fires for every edit, the program's own included (start-up, the text list and
    // the batch run rely on that); textEdited would miss those.
    connect(Text_R, &QLineEdit::textChanged, this, &Form_Main::Text_R_Change);
    connect(Text_G, &QLineEdit::textChanged, this, &Form_Main::Text_G_Change);
    connect(Text_B, &QLineEdit::textChanged, this, &Form_Main::Text_B_Change);
    connect(Text_Texte, &QLineEdit::textChanged, this, &Form_Main::Text_Texte_Change);
    // The font is the selected entry, so a change of selection is what redraws: once per mouse
    // click or keyboard move. (currentItemChanged would add a second redraw for the same move,
    // and fires when the view merely gains focus.)
    connect(List_Typo, &QListWidget::itemSelectionChanged, this, &Form_Main::List_Typo_Click);
}

void Form_Main::Text_R_Change() {
    draw_preview();
}
void Form_Main::Text_G_Change() {
    draw_preview();
}
void Form_Main::Text_B_Change() {
    draw_preview();
}
void Form_Main::Text_Texte_Change() {
    draw_preview();
}
void Form_Main::List_Typo_Click() {
    draw_preview();
}
