// The window's keyboard shortcuts, its context menu and Esc during a run.
#include "test_inputs_support.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTemporaryDir>

namespace {

struct ActiveWindow : InputsWindow {
    ActiveWindow() {
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
    }
};

// The context menu open now, if any.
QMenu* open_menu() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* menu = qobject_cast<QMenu*>(w); menu && menu->isVisible()) return menu;
    return nullptr;
}

// A right click at `at` (window pixels), delivered to the control there as the window system
// would deliver it; true when the window took it.
bool right_click(Form_Main& f, QPoint at) {
    QWidget* under = f.childAt(at);
    QWidget* target = under ? under : &f;
    QContextMenuEvent event(QContextMenuEvent::Mouse, target->mapFrom(&f, at), f.mapToGlobal(at));
    QCoreApplication::sendEvent(target, &event);
    return event.isAccepted();
}

// A point of the face with no control over it.
QPoint bare_face(const Form_Main& f) {
    for (int y = 0; y < f.height(); ++y)
        for (int x = 0; x < f.width(); ++x)
            if (!f.childAt(x, y)) return {x, y};
    return {};
}

}  // namespace

class ShellCommands : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;

  private slots:
    // Each shortcut runs its hot-spot's command, also while the label is being typed.
    void shortcutsRunTheirCommands() {
        ActiveWindow w;
        Form_Main& f = w.form;
        f.Text_Texte->setFocus();
        // Typed where the focus is; the window is active again after each dialog.
        const auto key = [&](int k, Qt::KeyboardModifiers mods = Qt::ControlModifier) {
            f.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&f));
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus ? focus : &f, Qt::Key(k), mods);
        };
        key(Qt::Key_O);
        QCOMPARE(w.platform.dialog_dirs, QStringList{"/tmp/buttons"});  // the sample backgrounds
        key(Qt::Key_L);
        QCOMPARE(w.platform.dialog_patterns.last(), QStringLiteral("*.txt"));
        key(Qt::Key_D);
        QCOMPARE(w.platform.modal_count, 1);  // the directory chooser
        key(Qt::Key_F1, Qt::NoModifier);
        QCOMPARE(w.platform.modal_count, 2);  // the about window

        const int closed = f.width_twips();
        key(Qt::Key_T);
        QCOMPARE(f.width_twips(), qv::layout::kExpandedTwips);
        key(Qt::Key_T);
        QCOMPARE(f.width_twips(), closed);

        f.List1_items->setStringList({"Home", "News"});
        f.Text_Texte->setFocus();
        key(Qt::Key_Return);  // no directory yet: the same refusal as the button's
        QVERIFY(w.platform.messages.takeLast().contains(QStringLiteral("directory")));
        f.output_directory = tmp.path();
        key(Qt::Key_Return);
        QCOMPARE(files_in(tmp.path()), (QStringList{"Home.bmp", "News.bmp"}));
        QVERIFY(w.platform.messages.isEmpty());

        QVERIFY(!w.platform.ended);
        key(Qt::Key_Q);
        QVERIFY(w.platform.ended);
    }

    // Esc stops a run after the file being written and says how far it got; outside a run it
    // does nothing, and the next run goes through.
    void escapeStopsTheRun() {
        ActiveWindow w;
        Form_Main& f = w.form;
        const QString out = tmp.filePath(QStringLiteral("stopped"));
        QDir().mkpath(out);
        QTest::keyClick(&f, Qt::Key_Escape);
        auto pressed =
            QObject::connect(f.Text_Texte, &QLineEdit::textChanged, [&](const QString& t) {
                if (t == u"News") QTest::keyClick(&f, Qt::Key_Escape);
            });
        w.make_all({"Home", "News", "Contact"}, out);
        QObject::disconnect(pressed);
        QCOMPARE(files_in(out), (QStringList{"Home.bmp", "News.bmp"}));
        QCOMPARE(w.platform.messages.size(), 1);
        const QString said = w.platform.messages.takeLast();
        QVERIFY2(said.contains(QStringLiteral("2 of 3")) && said.contains(out), qPrintable(said));
        QVERIFY(!f.batch_running());

        w.make_all({"Home", "News", "Contact"}, out);
        QCOMPARE(files_in(out), (QStringList{"Contact.bmp", "Home.bmp", "News.bmp"}));
        QVERIFY(w.platform.messages.isEmpty());
    }

    // A right click on the bare face or a title strip lists the commands with their shortcuts;
    // one on a button that acts on a press is that button's own. A command from the menu runs.
    void contextMenuListsTheCommands() {
        ActiveWindow w;
        Form_Main& f = w.form;
        QVERIFY(!right_click(f, f.Image_Make->geometry().center()));
        QVERIFY(!open_menu());
        for (const QPoint at :
             {bare_face(f), f.Image_Move->geometry().center(), f.Image1->geometry().center()}) {
            QVERIFY(right_click(f, at));
            QMenu* menu = open_menu();
            QVERIFY(menu);
            QStringList keys;
            for (const QAction* a : menu->actions()) {
                QVERIFY(a->isShortcutVisibleInContextMenu());
                keys << a->shortcut().toString();
            }
            QCOMPARE(keys, (QStringList{"Ctrl+O", "Ctrl+L", "Ctrl+D", "Ctrl+Return", "Ctrl+T", "F1",
                                        "Ctrl+Q"}));
            menu->close();
        }
        f.List1_items->setStringList({"Home"});
        f.output_directory = tmp.filePath(QStringLiteral("menu"));
        QDir().mkpath(f.output_directory);
        QVERIFY(right_click(f, bare_face(f)));
        for (QAction* a : open_menu()->actions())
            if (a->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_Return)) a->trigger();
        QCOMPARE(files_in(f.output_directory), QStringList{"Home.bmp"});
    }
};

QTEST_MAIN(ShellCommands)
#include "test_shell_commands.moc"
