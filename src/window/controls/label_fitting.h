#pragma once
// The label fitting settings in the font panel's right-click menu: the fit mode as three check
// items, and "Label fitting..." for the dialog with every setting.
#include "core/render/label_fit.h"

#include <QString>

class Form_Main;
class QMenu;

namespace qv {

// The fit mode's name in the menu and the dialog.
QString fit_mode_text(FitMode mode);

// Adds "Fit labels" (a submenu of the three modes, checked as the window's layout has it when
// the menu opens) and "Label fitting..." to `menu`.
void add_label_fitting_items(Form_Main& form, QMenu& menu);

}  // namespace qv
