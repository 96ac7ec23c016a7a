#include "window/window_actions.h"

#include "window/controls/label_fitting.h"
#include "window/form_main.h"
#include "window/skin/skin_layout.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeySequence>
#include <QMenu>

namespace qv {
namespace {

struct Command {
    const char* name;
    const char* text;
    QKeyCombination key;
    bool in_menu;
    void (*run)(Form_Main&);  // none for a check item: its toggle is wired by name below
};

// Keyboard commands go through their hot-spot's press and release, so they give the same
// feedback and run the same checks, dialogs and messages as a click.
const Command kCommands[] = {
    {"load_bitmap", "Load bitmap...", Qt::CTRL | Qt::Key_O, true,
     [](Form_Main& f) { Form_Main::press_and_release(f.Image_loadbutton); }},
    {"load_txt", "Load text list...", Qt::CTRL | Qt::Key_L, true,
     [](Form_Main& f) { Form_Main::press_and_release(f.Image_loadTxt); }},
    {"output_directory", "Choose output directory...", Qt::CTRL | Qt::Key_D, true,
     [](Form_Main& f) { Form_Main::press_and_release(f.Image_DirectoryBrowse); }},
    {"open_style", "Open style...", Qt::CTRL | Qt::SHIFT | Qt::Key_O, true,
     [](Form_Main& f) { f.open_style(); }},
    {"save_style", "Save style...", Qt::CTRL | Qt::Key_S, true,
     [](Form_Main& f) { f.save_style(); }},
    {"write_png", "Write PNG files", QKeyCombination(), true, nullptr},
    {"make_all", "Make all buttons", Qt::CTRL | Qt::Key_Return, true,
     [](Form_Main& f) { Form_Main::press_and_release(f.Image_Make); }},
    {"stop_making", "Stop making buttons", QKeyCombination(Qt::Key_Escape), false,
     [](Form_Main& f) { f.stop_batch_run(); }},
    {"font_panel", "Open or close the font configuration", Qt::CTRL | Qt::Key_T, true,
     [](Form_Main& f) { f.Image_typotruetype_Click(); }},
    {"about", "About Quorvane", QKeyCombination(Qt::Key_F1), true,
     [](Form_Main& f) { f.Image_About_Click(); }},
    {"quit", "Quit", Qt::CTRL | Qt::Key_Q, true,
     [](Form_Main& f) { Form_Main::press_and_release(f.Image_Quit); }},
};

}  // namespace

WindowActions::WindowActions(Form_Main& form)
    : QObject(&form), form_(form), menu_(new QMenu(&form)) {
    menu_->setObjectName(QStringLiteral("window_menu"));
    for (const Command& c : kCommands) {
        auto* a = new QAction(QString::fromLatin1(c.text), &form);
        a->setObjectName(QString::fromLatin1(c.name));
        a->setShortcut(QKeySequence(c.key));
        a->setShortcutContext(Qt::WindowShortcut);
        a->setShortcutVisibleInContextMenu(true);
        if (const auto run = c.run)
            connect(a, &QAction::triggered, &form, [&form, run] { run(form); });
        form.addAction(a);
        if (c.in_menu) menu_->addAction(a);
    }
    // "Write PNG files" is a check item that also follows a style that sets the format.
    QAction* png = action(QStringLiteral("write_png"));
    png->setCheckable(true);
    png->setChecked(form.write_png_files);
    connect(png, &QAction::toggled, &form, &Form_Main::set_write_png);
    connect(&form, &Form_Main::write_png_changed, png, &QAction::setChecked);

    // On the font panel the menu opens with the label fitting settings, which the panel's skin
    // has no room for, and then the commands.
    panel_menu_ = new QMenu(&form);
    panel_menu_->setObjectName(QStringLiteral("font_panel_menu"));
    add_label_fitting_items(form, *panel_menu_);
    panel_menu_->addSeparator();
    panel_menu_->addActions(menu_->actions());
    form.installEventFilter(this);
}

QAction* WindowActions::action(const QString& name) const {
    return form_.findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

bool WindowActions::offers_menu_at(const QWidget* under) const {
    const auto* spot = qobject_cast<const HotSpot*>(under);
    return !spot || spot == form_.Image_Move || spot == form_.Image1;
}

bool WindowActions::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &form_ || event->type() != QEvent::ContextMenu) return false;
    const auto* e = static_cast<QContextMenuEvent*>(event);
    if (!offers_menu_at(form_.childAt(e->pos()))) return false;
    // The title strips, as a title bar, offer the window's commands alone.
    const bool on_panel =
        e->pos().x() >= layout::kCollapsedWidth && !form_.Image1->geometry().contains(e->pos());
    (on_panel ? panel_menu_ : menu_)->popup(e->globalPos());
    return true;
}

}  // namespace qv
