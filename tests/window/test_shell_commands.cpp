// The window's commands: moving by the title strips, minimise, the keyboard shortcuts, the context
// menu, Esc during a run, drag and drop, and texts that are shown literally.
#include "test_inputs_support.h"
#include "window/command_line.h"
#include "window/drop_handler.h"
#include "window/form_splash.h"

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>

namespace {

struct ActiveWindow : InputsWindow {
    ActiveWindow() {
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
    }
};

// Sends a drag entering with `paths` and then their drop; true when both were accepted.
bool drop(Form_Main& f, const QStringList& paths, const QStringList& addresses = {}) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
    for (const QString& address : addresses) urls << QUrl(address);
    data.setUrls(urls);
    const QPointF at(100, 100);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&f, &enter);
    QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&f, &move);
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&f, &dropped);
    QCoreApplication::processEvents();
    [&] { QCOMPARE(move.isAccepted(), enter.isAccepted()); }();
    return enter.isAccepted() && dropped.isAccepted();
}

// How far the window moves for a drag along a strip: three pointer moves with the buttons held,
// their release, then one more move.
QPoint drag(Form_Main& f, QWidget* strip, Qt::MouseButtons held) {
    const QPoint before = f.pos();
    const QPoint grip = f.mapToGlobal(strip->geometry().center());
    // Positions are the pointer's on the screen: the strip moves with the window.
    const auto send = [&](QEvent::Type type, QPoint by, Qt::MouseButton button,
                          Qt::MouseButtons buttons) {
        send_mouse(strip, type, strip->mapFromGlobal(grip + by), button, buttons);
    };
    for (int step = 0; step <= 2; ++step)
        send(QEvent::MouseMove, {20 * step, 15 * step}, Qt::NoButton, held);
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
        if (held & b) send(QEvent::MouseButtonRelease, {40, 30}, b, held &= ~b);
    send(QEvent::MouseMove, {90, 90}, Qt::NoButton, Qt::NoButton);
    return f.pos() - before;
}

}  // namespace

class ShellCommands : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;

  private slots:
    void onlyTheLeftButtonAloneMovesTheWindow() {
        Window w;
        for (qv::HotSpot* strip : {w.form.Image_Move, w.form.Image1})
            for (Qt::MouseButtons held :
                 {Qt::MouseButtons(Qt::RightButton), Qt::LeftButton | Qt::RightButton,
                  Qt::MouseButtons(Qt::MiddleButton), Qt::MouseButtons(Qt::LeftButton)})
                // The window follows from the first move, by as much as the pointer.
                QCOMPARE(drag(w.form, strip, held),
                         held == Qt::LeftButton ? QPoint(40, 30) : QPoint());
    }

    void minimiseLeavesTheProgramRunning() {
        Window w;
        QTest::mouseClick(w.form.Image_Min, Qt::LeftButton);
        QVERIFY(w.form.windowState() & Qt::WindowMinimized);
        QVERIFY(!w.platform.ended);
    }

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
        QCOMPARE(w.platform.dialog_dirs,
                 QStringList{"/nonexistent/quorvane/buttons"});  // the sample backgrounds
        key(Qt::Key_L);
        QCOMPARE(w.platform.dialog_patterns.last(), QStringLiteral("*.txt"));
        key(Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);  // open style
        QCOMPARE(w.platform.dialog_patterns.last(), QStringLiteral("Quorvane style (*.qvstyle)"));
        key(Qt::Key_S);
        QCOMPARE(w.platform.save_filters.size(), 1);
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
        f.output_directory = tmp.path();
        key(Qt::Key_Return);
        QCOMPARE(file_names(tmp.path()), (QStringList{"Home.bmp", "News.bmp"}));
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
        QCOMPARE(file_names(out), (QStringList{"Home.bmp", "News.bmp"}));
        QCOMPARE(w.platform.messages.size(), 1);
        const QString said = w.platform.messages.takeLast();
        QVERIFY2(said.contains(QStringLiteral("2 of 3")) && said.contains(out), qPrintable(said));
        QVERIFY(!f.batch_running());

        w.make_all({"Home", "News", "Contact"}, out);
        QCOMPARE(file_names(out), (QStringList{"Contact.bmp", "Home.bmp", "News.bmp"}));
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
            QCOMPARE(keys, (QStringList{"Ctrl+O", "Ctrl+L", "Ctrl+D", "Ctrl+Shift+O", "Ctrl+S", "",
                                        "Ctrl+Return", "Ctrl+T", "F1", "Ctrl+Q"}));
            menu->close();
        }
        f.List1_items->setStringList({"Home"});
        f.output_directory = tmp.filePath(QStringLiteral("menu"));
        QDir().mkpath(f.output_directory);
        QVERIFY(right_click(f, bare_face(f)));
        for (QAction* a : open_menu()->actions())
            if (a->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_Return)) a->trigger();
        QCOMPARE(file_names(f.output_directory), QStringList{"Home.bmp"});

        // "Write PNG files" is a check item: the next run writes PNG.
        QAction* png = nullptr;
        QMenu* menu = open_menu();
        for (QAction* a : menu->actions())
            if (a->text() == u"Write PNG files") png = a;
        QVERIFY(png && png->isCheckable() && !png->isChecked());
        png->trigger();
        menu->close();
        QVERIFY(f.write_png_files);
        QTest::keyClick(&f, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(file_names(f.output_directory), (QStringList{"Home.bmp", "Home.png"}));
        f.set_write_png(false);  // as an opened style would: the item follows
        QVERIFY(!png->isChecked());
    }

    // What a dropped path is.
    void droppedKinds() {
        using qv::DroppedKind;
        const QString art = tmp.filePath(QStringLiteral("kinds"));
        const std::pair<QString, DroppedKind> cases[] = {
            {write_picture(art, "a.png", {4, 4}), DroppedKind::Picture},
            {write_picture(art, "b.JPEG", {4, 4}), DroppedKind::Picture},
            {write_picture(art, "c.bmp", {4, 4}), DroppedKind::Picture},
            {write_bytes(art + "/list.txt", "Home\n"), DroppedKind::TextList},
            {write_bytes(art + "/labels", "Home\nNews\n"), DroppedKind::TextList},
            {write_bytes(art + "/data.bin", QByteArray("\x00\x01\x02\xff", 4)), DroppedKind::Other},
            {art + "/missing.png", DroppedKind::Other},
            {write_bytes(art + "/look.qvstyle", "{}"), DroppedKind::Style},
            {art, DroppedKind::Folder},
        };
        for (const auto& [path, kind] : cases)
            QVERIFY2(qv::kind_of_dropped(path) == kind, qPrintable(path));
    }

    // A drop takes the first of each kind, each as its command would; a drop of nothing usable
    // is refused while it is dragged.
    void dropsLoadWhatTheyCarry() {
        InputsWindow w;
        Form_Main& f = w.form;
        const QString art = tmp.filePath(QStringLiteral("drop/art"));
        const QString back = write_picture(art, "back.png", {100, 40});
        const QString other = write_picture(art, "other.png", {60, 30});
        const QString first = write_bytes(art + "/first.txt", "Home\r\nNews");
        const QString second = write_bytes(art + "/second.txt", "X");
        const QString junk = write_bytes(art + "/data.bin", QByteArray("\x00\x01", 2));

        QVERIFY(!drop(f, {junk, art + "/gone.png"}, {"https://example.org/a.png"}));
        QVERIFY(f.Picture_buttonscroll->isHidden());

        QVERIFY(drop(f, {back, other}));  // the picture's folder becomes the output directory
        QCOMPARE(f.Picture_buttonscroll->canvas().image, read_back(back));
        QCOMPARE(f.output_directory, art + u'/');

        const QString out = tmp.filePath(QStringLiteral("drop/out"));
        QDir().mkpath(out);
        QVERIFY(drop(f, {junk, second, out, first, other, art}));
        QCOMPARE(f.Picture_buttonscroll->canvas().image, read_back(other));
        QCOMPARE(f.output_directory, out);  // the folder, over the picture's
        QCOMPARE(f.List1_items->stringList(), QStringList{"X"});
        QVERIFY(w.platform.messages.isEmpty());

        // A dropped style file is opened.
        const QString look =
            write_bytes(art + "/bold.qvstyle", R"({"quorvane_style": 1, "bold": true})");
        QVERIFY(drop(f, {look}));
        QCOMPARE(f.font_bold, qv::kTrue);
        QVERIFY(w.platform.messages.isEmpty());

        // The picture dialog then opens where the dropped picture was.
        f.Image_loadbutton_MouseUp(1, 0, 0, 0);
        QCOMPARE(w.platform.dialog_dirs.last(), art);
    }

    // During a run its inputs stay as it checked them: a picture, style or folder dropped, and
    // the picture, style, label fitting and directory commands, are refused (a drop already while
    // dragging), as a list is: a picture from the output folder would otherwise be written over
    // unchecked.
    void aRunKeepsItsInputs() {
        InputsWindow w;
        Form_Main& f = w.form;
        const QString art = tmp.filePath(QStringLiteral("during/art"));
        const QString out = tmp.filePath(QStringLiteral("during/out"));
        const QString back = write_picture(art, "back.png", {100, 40});
        const QString dropped = write_picture(out, "News.png", {60, 30});
        const QString look =
            write_bytes(art + "/look.qvstyle",
                        QStringLiteral(R"({"quorvane_style": 1, "bold": true, "background": "%1"})")
                            .arg(dropped)
                            .toUtf8());
        w.load_picture(back);
        const QImage picture = f.Picture_buttonscroll->canvas().image;
        const int dialogs = w.platform.dialog_dirs.size();
        bool refused_drop = false;
        auto during = QObject::connect(f.Text_Texte, &QLineEdit::textChanged, [&] {
            if (!f.batch_running() || refused_drop) return;
            refused_drop = !drop(f, {dropped, look, art});
            f.load_background(dropped);
            QVERIFY(!f.apply_style_file(look));
            f.set_output_directory(art);
            w.platform.file_answers = {dropped, look};
            f.Image_loadbutton_MouseUp(1, 0, 0, 0);
            f.open_style();
            f.Image_DirectoryBrowse_MouseUp(1, 0, 0, 0);
            f.open_label_fitting();
            f.set_label_layout({qv::FitMode::Shrink, 5, std::nullopt});
        });
        w.make_all({"Home", "News"}, out);
        QObject::disconnect(during);
        QVERIFY(refused_drop);
        QCOMPARE(w.platform.dialog_dirs.size(), dialogs);  // no dialog, no chooser
        QCOMPARE(w.platform.modal_count, 0);
        QCOMPARE(f.background_path, back);
        QCOMPARE(f.Picture_buttonscroll->canvas().image, picture);
        QCOMPARE(f.font_bold, qv::kFalse);
        QVERIFY(f.label_layout() == qv::LabelLayout{});
        QCOMPARE(f.output_directory, out);
        QVERIFY(w.platform.messages.isEmpty());
        // Afterwards the same drop is taken.
        QVERIFY(drop(f, {dropped}));
        QCOMPARE(f.background_path, dropped);
    }

    // The window's command line: --help and --version answered, an unknown option refused, and
    // the files named opened as if dropped, with a message naming those that are not there.
    void commandLineOpensWhatItNames() {
        using Action = qv::WindowCommandLine::Action;
        QCOMPARE(qv::read_window_command_line({"-h"}).action, Action::Help);
        QCOMPARE(qv::read_window_command_line({"a.png", "--version"}).action, Action::Version);
        QCOMPARE(qv::read_window_command_line({"--frob"}).action, Action::Refuse);

        InputsWindow w;
        const QString art = tmp.filePath(QStringLiteral("named"));
        const QString back = write_picture(art, "back.png", {100, 40});
        const QString gone = art + "/gone?%=.txt";
        const qv::WindowCommandLine line = qv::read_window_command_line({back, gone});
        QCOMPARE(line.files, QStringList{back});
        QCOMPARE(line.missing, QStringList{gone});
        qv::open_named_files(w.form, line);
        QCOMPARE(w.form.Picture_buttonscroll->canvas().image, read_back(back));
        QCOMPARE(w.platform.messages.size(), 1);
        QVERIFY(w.platform.messages.first().contains(gone));
    }

    // Folders, labels and names show as typed, tags and all, in captions and messages.
    void textsShowLiterally() {
        InputsWindow w;
        const QString tagged = tmp.filePath(QStringLiteral("<b>x</b>"));
        QDir().mkpath(tagged);
        QVERIFY(drop(w.form, {tagged}));
        QTextDocument tip;
        tip.setHtml(w.form.Label_Directory->toolTip());
        QVERIFY(Qt::mightBeRichText(w.form.Label_Directory->toolTip()));
        QCOMPARE(tip.toPlainText(), tagged);
        w.form.Image_About_Click();  // makes the splash window's captions
        QList<QLabel*> labels = w.form.findChildren<QLabel*>();
        labels << w.form.splash().findChildren<QLabel*>();
        for (const QLabel* label : labels)
            if (!label->objectName().startsWith(u"Picture_"))  // pictures, not captions
                QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName()));

        qv::DesktopPlatform desktop;
        QString shown;
        Qt::TextFormat format = Qt::AutoText;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            shown = box->text();
            format = box->textFormat();
            box->accept();
        });
        desktop.show_message(&w.form, QStringLiteral("Cannot write /out/<i>Home</i>.bmp"));
        QCOMPARE(shown, QStringLiteral("Cannot write /out/<i>Home</i>.bmp"));
        QCOMPARE(format, Qt::PlainText);
    }
};

QTEST_MAIN(ShellCommands)
#include "test_shell_commands.moc"
