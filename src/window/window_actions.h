#pragma once
// The main window's commands as actions: each with its shortcut, and all of them but the run's
// stop listed in the menu that a right click on the window's face opens, so that the shortcuts
// can be found (on the font panel, its title strip aside, after the label fitting settings). Each
// runs the very handlers of its hot-spot. Adding a command is one line in the table of
// window_actions.cpp.
#include <QObject>
#include <QString>

class Form_Main;
class QAction;
class QMenu;
class QWidget;

namespace qv {

class WindowActions final : public QObject {
    Q_OBJECT
  public:
    // Adds the actions to `form`, which owns them, and watches its right clicks.
    explicit WindowActions(Form_Main& form);

    // The command named `name` ("make_all", "quit", ...), or nullptr.
    QAction* action(const QString& name) const;
    QMenu* menu() const { return menu_; }
    // The menu of the font panel: the label fitting settings, then the commands.
    QMenu* panel_menu() const { return panel_menu_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The face, the title strips and the captions offer the menu; hot-spots that act on a press
    // keep the right button for themselves.
    bool offers_menu_at(const QWidget* under) const;

    Form_Main& form_;
    QMenu* menu_;
    QMenu* panel_menu_;
};

}  // namespace qv
