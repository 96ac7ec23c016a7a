#include "window/controls/label_fitting_dialog.h"

#include "window/controls/label_fitting.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace qv {
namespace {

QSpinBox* spin_box(int low, int high, int value, const QString& suffix, const QString& tip) {
    auto* box = new QSpinBox;
    box->setRange(low, high);
    box->setValue(value);
    box->setSuffix(suffix);
    box->setToolTip(tip);
    return box;
}

// A width limit: 0 stands for none, shown in words.
QSpinBox* width_limit(std::optional<int> value, const QString& tip) {
    QSpinBox* box = spin_box(0, kMaxStretchWidth, value.value_or(0), QStringLiteral(" px"), tip);
    box->setSpecialValueText(QStringLiteral("no limit"));
    return box;
}

std::optional<int> limit_of(const QSpinBox* box) {
    return box->value() == 0 ? std::nullopt : std::optional<int>(box->value());
}

}  // namespace

QString layout_problem(const LabelLayout& layout) {
    if (!layout.stretch) return {};
    const Stretch& s = *layout.stretch;
    if (s.min_width && s.max_width && *s.min_width > *s.max_width)
        return QStringLiteral("The smallest width is above the largest.");
    if (s.max_width && *s.max_width < s.left_cap + s.right_cap)
        return QStringLiteral("The largest width leaves no room for the two caps (%1 px).")
            .arg(s.left_cap + s.right_cap);
    return {};
}

LabelFittingDialog::LabelFittingDialog(const LabelLayout& layout, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("label_fitting"));
    setWindowTitle(QStringLiteral("Label fitting"));

    fit = new QComboBox;
    for (const FitMode mode : {FitMode::None, FitMode::Shrink, FitMode::Wrap})
        fit->addItem(fit_mode_text(mode), int(mode));
    fit->setCurrentIndex(fit->findData(int(layout.fit)));
    fit->setToolTip(
        QStringLiteral("What a label too wide for its button does: drawn as it is, made smaller, "
                       "or broken into two lines at a space and then made smaller."));
    min_size = spin_box(kMinFontSize, kMaxFontSize, layout.min_size, QStringLiteral(" pt"),
                        QStringLiteral("Labels are never made smaller than this. A label that "
                                       "does not fit even then is drawn at this size."));

    const Stretch s = layout.stretch.value_or(Stretch{});
    stretch = new QGroupBox(QStringLiteral("&Stretch the background"));
    stretch->setCheckable(true);
    stretch->setChecked(layout.stretch.has_value());
    stretch->setToolTip(
        QStringLiteral("Each button is made as wide as its label needs: the picture's ends are "
                       "kept as they are and its middle is stretched."));
    left_cap =
        spin_box(0, kMaxStretchCap, s.left_cap, QStringLiteral(" px"),
                 QStringLiteral("Columns at the picture's left edge that are kept as they are."));
    right_cap =
        spin_box(0, kMaxStretchCap, s.right_cap, QStringLiteral(" px"),
                 QStringLiteral("Columns at the picture's right edge that are kept as they are."));
    stretch_mode = new QComboBox;
    stretch_mode->addItem(QStringLiteral("Scaled"), int(StretchMode::Scale));
    stretch_mode->addItem(QStringLiteral("Tiled"), int(StretchMode::Tile));
    stretch_mode->setCurrentIndex(stretch_mode->findData(int(s.mode)));
    stretch_mode->setToolTip(
        QStringLiteral("How the middle between the caps fills the width: scaled smoothly, or "
                       "repeated from its first column."));
    min_width = width_limit(s.min_width, QStringLiteral("No button is made narrower than this."));
    max_width = width_limit(s.max_width, QStringLiteral("No button is made wider than this."));

    auto* stretch_form = new QFormLayout(stretch);
    stretch_form->addRow(QStringLiteral("&Left cap:"), left_cap);
    stretch_form->addRow(QStringLiteral("&Right cap:"), right_cap);
    stretch_form->addRow(QStringLiteral("&Middle:"), stretch_mode);
    stretch_form->addRow(QStringLiteral("Smallest &width:"), min_width);
    stretch_form->addRow(QStringLiteral("L&argest width:"), max_width);

    problem = new QLabel;
    problem->setTextFormat(Qt::PlainText);
    problem->setWordWrap(true);
    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Fit labels:"), fit);
    form->addRow(QStringLiteral("Smallest si&ze:"), min_size);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(stretch);
    column->addWidget(problem);
    column->addWidget(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);

    const auto changed = [this] { follow(); };
    connect(fit, &QComboBox::currentIndexChanged, this, changed);
    connect(stretch, &QGroupBox::toggled, this, changed);
    for (QSpinBox* box : {left_cap, right_cap, min_width, max_width})
        connect(box, &QSpinBox::valueChanged, this, changed);
    follow();
}

LabelLayout LabelFittingDialog::layout() const {
    LabelLayout l;
    l.fit = FitMode(fit->currentData().toInt());
    l.min_size = min_size->value();
    if (stretch->isChecked())
        l.stretch = Stretch{left_cap->value(), right_cap->value(),
                            StretchMode(stretch_mode->currentData().toInt()), limit_of(min_width),
                            limit_of(max_width)};
    return l;
}

void LabelFittingDialog::follow() {
    min_size->setEnabled(fit->currentData().toInt() != int(FitMode::None));
    const QString wrong = layout_problem(layout());
    problem->setText(wrong);
    problem->setVisible(!wrong.isEmpty());
    buttons->button(QDialogButtonBox::Ok)->setEnabled(wrong.isEmpty());
}

}  // namespace qv
