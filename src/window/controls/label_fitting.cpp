#include "window/controls/label_fitting.h"

#include "window/controls/label_fitting_dialog.h"
#include "window/form_main.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace qv {

QString fit_mode_text(FitMode mode) {
    switch (mode) {
        case FitMode::Shrink:
            return QStringLiteral("Shrink to fit");
        case FitMode::Wrap:
            return QStringLiteral("Two lines, then shrink");
        case FitMode::None:
            break;
    }
    return QStringLiteral("None");
}

void add_label_fitting_items(Form_Main& form, QMenu& menu) {
    QMenu* modes = menu.addMenu(QStringLiteral("Fit labels"));
    modes->setObjectName(QStringLiteral("fit_labels"));
    auto* group = new QActionGroup(modes);
    group->setExclusive(true);
    const std::pair<FitMode, const char*> items[] = {
        {FitMode::None, "fit_none"}, {FitMode::Shrink, "fit_shrink"}, {FitMode::Wrap, "fit_wrap"}};
    for (const auto& [mode, name] : items) {
        QAction* a = modes->addAction(fit_mode_text(mode));
        a->setObjectName(QString::fromLatin1(name));
        a->setCheckable(true);
        group->addAction(a);
        QObject::connect(a, &QAction::triggered, &form, [&form, mode] {
            LabelLayout layout = form.label_layout();
            layout.fit = mode;
            form.set_label_layout(layout);
        });
    }
    QAction* dialog = menu.addAction(QStringLiteral("Label fitting..."));
    dialog->setObjectName(QStringLiteral("label_fitting"));
    QObject::connect(dialog, &QAction::triggered, &form, &Form_Main::open_label_fitting);

    // The checks follow the window's layout, which a style file or the dialog may have changed.
    QObject::connect(&menu, &QMenu::aboutToShow, group, [&form, group, dialog] {
        const QList<QAction*> actions = group->actions();
        actions[int(form.label_layout().fit)]->setChecked(true);
        // A run keeps the layout it started with.
        group->setEnabled(!form.batch_running());
        dialog->setEnabled(!form.batch_running());
    });
}

}  // namespace qv

void Form_Main::set_label_layout(const qv::LabelLayout& layout) {
    if (batch_running_) return;
    label_layout_ = layout;
    draw_preview();
}

void Form_Main::open_label_fitting() {
    if (batch_running_) return;
    qv::LabelFittingDialog dialog(label_layout_, this);
    platform().run_modal(dialog);
    if (dialog.result() == QDialog::Accepted) set_label_layout(dialog.layout());
}
