// "Make all buttons": what the run writes, where, and how it stops. Every label is checked before
// the first file: a label whose file is the loaded background picture, or that cannot name a
// file, writes nothing, and the window says so in the words quorvane-batch uses for the same list.
#include "test_inputs_support.h"

#include <QFileInfo>
#include <QTemporaryDir>

namespace {

// The tool's complaint about `labels` written beside `picture`, without its program name.
QString tool_message(const QString& list, const QString& out, const QString& picture) {
    BatchRun run = run_batch({"--labels", list, "--out", out, "--background", picture});
    return run.exit_code == 2 ? run.error.remove(QStringLiteral("quorvane-batch: ")).trimmed()
                              : QString();
}

}  // namespace

class TestInputsBatch : public QObject {
    Q_OBJECT

  private slots:
    // Files are named after the labels exactly and equal their previews: the canvas's design
    // size before a picture, the whole picture after (not the part the frame shows). A second
    // run and a list load asked for during the run are ignored; afterwards loading works again.
    void writesEveryLabelAsItsPreview() {
        const QStringList labels{"Home", "News", "", "News", " News", "sub/In", "Contact"};
        for (const bool picture : {false, true}) {
            QTemporaryDir tmp;
            QDir(tmp.path()).mkpath(QStringLiteral("sub/list"));
            const QString other = write_bytes(tmp.filePath("sub/list/other.txt"), "X\r\nY");
            InputsWindow w;
            if (picture) w.load_picture(write_picture(tmp.filePath("art"), "w.png", {200, 80}));
            QStringList shown;
            QObject::connect(w.form.Text_Texte, &QLineEdit::textChanged, [&](const QString& text) {
                if ((shown << text).size() != 2) return;
                QVERIFY(w.form.batch_running());
                w.form.Image_Make_MouseUp(1, 0, 0, 0);
                w.load_list(other);
            });
            w.make_all(labels, picture ? tmp.path() + u'/' : tmp.path());
            QCOMPARE(shown, labels);  // one pass, not a second one nested in it
            QCOMPARE(w.form.List1_items->stringList(), labels);
            QCOMPARE(files_in(tmp.path()),
                     (QStringList{" News.bmp", ".bmp", "Contact.bmp", "Home.bmp", "News.bmp"}));
            QCOMPARE(files_in(tmp.filePath("sub")), QStringList{"In.bmp"});
            QCOMPARE(w.selected_row(), labels.size() - 1);
            QVERIFY(w.platform.messages.isEmpty());
            QVERIFY(!w.form.batch_running());
            // The progress shown over the button is gone.
            QVERIFY(shows(w.form.screen_image(), w.form.Image_Make, w.form.persistent_image()));
            for (int row : {0, 1, 6}) {
                w.select(row);
                const QImage file = read_back(tmp.filePath(labels[row] + ".bmp"));
                QCOMPARE(file.size(), picture ? QSize(200, 80) : QSize(65, 43));
                QCOMPARE(file, w.preview());
            }
            w.platform.file_answers = {other};
            w.form.Image_loadTxt_Click();
            QCOMPARE(w.form.List1_items->stringList(), (QStringList{"X", "Y"}));
        }
    }

    void refusesWhatItCannotWrite() {
        QTemporaryDir tmp;
        InputsWindow w;
        w.make_all({"Home"}, QString());  // no directory: nothing done, the user is told to choose
        QCOMPARE(w.selected_row(), -1);
        QVERIFY(w.platform.messages.last().contains(QStringLiteral("directory")));
        // A folder where a button goes is found by the check before anything is written, and
        // named. (Other labels that cannot name a file: the next test.)
        const QString out = tmp.filePath(QStringLiteral("out"));
        QDir().mkpath(out + QStringLiteral("/Blocked.bmp"));
        write_bytes(out + QStringLiteral("/A.bmp"), QByteArray(10, 'x'));
        w.make_all({"A", "Blocked", "C"}, out);
        QCOMPARE(w.platform.messages.size(), 2);  // one each
        QVERIFY2(w.platform.messages.last().contains(out + "/Blocked.bmp is a folder"),
                 qPrintable(w.platform.messages.last()));
        QCOMPARE(w.platform.messages_under_busy_pointer, 0);
        QVERIFY(!w.form.batch_running());
        QCOMPARE(read_bytes(out + QStringLiteral("/A.bmp")), QByteArray(10, 'x'));
        QCOMPARE(files_in(out), QStringList{"A.bmp"});
        QVERIFY(QFileInfo(out + QStringLiteral("/Blocked.bmp")).isDir());
    }

    void aBadLabelWritesNothingAndIsNamedAsTheToolNamesIt() {
        QTemporaryDir tmp;
        const QString folder = tmp.filePath(QStringLiteral("art"));
        const QString picture = write_picture(folder, QStringLiteral("steel.bmp"), {120, 30});
        const QByteArray picture_bytes = read_bytes(picture);
        const QString linked = tmp.filePath(QStringLiteral("linked.bmp"));
        QVERIFY(QFile::link(picture, linked));
        const QString old_home = write_bytes(folder + QStringLiteral("/Home.bmp"), "old");

        const std::tuple<QString, QString, QStringList> cases[] = {
            {picture, folder + u'/', {"Home", "steel", "News"}},
            {linked, folder, {"Home", "./steel", "News"}},  // the picture loaded through a link
            {picture, folder + u'/', {"Home", "../evil", "News"}},
            {picture, folder + u'/', {"Home", "missing/News"}},
        };
        for (const auto& [loaded, out, labels] : cases) {
            InputsWindow w;
            w.load_picture(loaded);
            w.make_all(labels, out);
            QCOMPARE(w.platform.messages.size(), 1);
            const QString message = w.platform.messages.first();
            QVERIFY2(message.contains(u'"' + labels[1] + u'"'), qPrintable(message));
            const QString list =
                write_bytes(tmp.filePath(QStringLiteral("list.txt")), labels.join(u'\n').toUtf8());
            QCOMPARE(message, tool_message(list, out, loaded));
            QCOMPARE(files_in(folder), (QStringList{"Home.bmp", "steel.bmp"}));
            QCOMPARE(read_bytes(old_home), QByteArray("old"));
            QCOMPARE(read_bytes(picture), picture_bytes);
            QCOMPARE(w.selected_row(), -1);
        }
    }
};

QTEST_MAIN(TestInputsBatch)
#include "test_inputs_batch.moc"
