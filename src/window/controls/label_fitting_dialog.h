#pragma once
// The "Label fitting" dialog: how labels too wide for the button are made to fit, and whether the
// background stretches to each label's width. The skin has no room for these settings, so they
// live in a small dialog of their own, reached from the font panel's right-click menu.
#include "core/render/label_placement.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QSpinBox;

namespace qv {

// What stops `layout` from being used, worded for the dialog; empty when nothing does. The spin
// boxes hold each value to its range; only the widths can disagree with each other.
QString layout_problem(const LabelLayout& layout);

class LabelFittingDialog final : public QDialog {
    Q_OBJECT
  public:
    explicit LabelFittingDialog(const LabelLayout& layout, QWidget* parent = nullptr);

    // The settings as the dialog shows them now (what OK gives).
    LabelLayout layout() const;

    // The fields, for a test to fill in as a person would.
    QComboBox* fit = nullptr;
    QSpinBox* min_size = nullptr;
    QGroupBox* stretch = nullptr;  // checkable: its check box turns stretching on
    QSpinBox* left_cap = nullptr;
    QSpinBox* right_cap = nullptr;
    QComboBox* stretch_mode = nullptr;
    QSpinBox* min_width = nullptr;  // 0 shows "no limit"
    QSpinBox* max_width = nullptr;
    QLabel* problem = nullptr;
    QDialogButtonBox* buttons = nullptr;

  private:
    // Enables what applies and says what is wrong; OK waits until nothing is.
    void follow();
};

}  // namespace qv
