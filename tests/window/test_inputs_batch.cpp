// "Make all buttons": what the run writes, where, and how it stops.
#include "test_inputs_support.h"

#include <QFileInfo>
#include <QTemporaryDir>

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
        // A missing subfolder and a way out of the directory are found before anything is
        // written; a folder in the way only by writing, which stops the run there, names the
        // path, and keeps what it wrote before.
        const QString out = tmp.filePath(QStringLiteral("out"));
        QDir().mkpath(out + QStringLiteral("/Blocked.bmp"));
        const std::tuple<QString, QString, bool> faults[] = {
            {"missing/B", out + "/missing", false},
            {"Blocked", out + "/Blocked.bmp", true},
            {"../escape", "../escape", false}};
        for (const auto& [label, named, written_before] : faults) {
            const QByteArray old_a(10, 'x');
            write_bytes(out + QStringLiteral("/A.bmp"), old_a);
            w.make_all({"A", label, "C"}, out);
            QVERIFY2(w.platform.messages.last().contains(named), qPrintable(named));
            QCOMPARE(w.selected_row(), written_before ? 1 : -1);
            // An existing A.bmp is replaced whole or not at all; C is never reached; no
            // temporary is left.
            w.select(0);
            QFile a(out + QStringLiteral("/A.bmp"));
            QVERIFY(a.open(QIODevice::ReadOnly));
            if (written_before)
                QCOMPARE(read_back(a.fileName()), w.preview());
            else
                QCOMPARE(a.readAll(), old_a);
            QCOMPARE(files_in(out), QStringList{"A.bmp"});
            QVERIFY(!QFileInfo::exists(tmp.filePath(QStringLiteral("escape.bmp"))));
            QVERIFY(!w.form.batch_running());
        }
        QCOMPARE(w.platform.messages.size(), 4);  // one each
        QCOMPARE(w.platform.messages_under_busy_pointer, 0);
        QVERIFY(QFileInfo(out + QStringLiteral("/Blocked.bmp")).isDir());
    }
};

QTEST_MAIN(TestInputsBatch)
#include "test_inputs_batch.moc"
