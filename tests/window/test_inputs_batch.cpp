// "Make all buttons": what the run writes, where, and how it stops. Every label is checked before
// the first file: a label whose file is the loaded background picture, or that cannot name a
// file, writes nothing, and the window says so in the words quorvane-batch uses for the same list.
#include "test_inputs_support.h"
#include "window/controls/colour_boxes.h"

#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>

namespace {

// The tool's complaint about `labels` written beside `picture`, without its program name.
QString tool_message(const QString& list, const QString& out, const QString& picture) {
    batch_tool::Outcome run =
        batch_tool::run({"--labels", list, "--out", out, "--background", picture});
    return run.status == 2 ? run.err.remove(QStringLiteral("quorvane-batch: ")).trimmed()
                           : QString();
}

// Pixels of the run's progress over the make button: where they differ from their row's face
// colour (read inside the bevel), over the caption rows only.
QImage ink(const QImage& face) {
    QImage mask(face.size(), QImage::Format_Mono);
    mask.fill(0);
    for (int y = 2; y < face.height() - 3; ++y)
        for (int x = 2; x < face.width() - 2; ++x)
            if (face.pixel(x, y) != face.pixel(2, y)) mask.setPixel(x, y, 1);
    return mask;
}

// "text" as drawn centred over the make button's caption rows in the run's 9-pixel face.
QImage ink_of(const QString& text, QSize size) {
    QImage plain(size, QImage::Format_RGB32);
    plain.fill(Qt::white);
    {
        QPainter p(&plain);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(9);
        p.setFont(font);
        p.drawText(QRect(QPoint(0, 0), size).adjusted(0, 0, 0, -2), Qt::AlignCenter, text);
    }
    return ink(plain);
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
            QCOMPARE(file_names(tmp.path()),
                     (QStringList{" News.bmp", ".bmp", "Contact.bmp", "Home.bmp", "News.bmp"}));
            QCOMPARE(file_names(tmp.filePath("sub")), QStringList{"In.bmp"});
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
        QCOMPARE(file_names(out), QStringList{"A.bmp"});
        QVERIFY(QFileInfo(out + QStringLiteral("/Blocked.bmp")).isDir());
    }

    // No labels, or a colour box the label cannot be drawn from: nothing is written, the user is
    // told what to do (and which box holds what). Typing into a box says nothing.
    void refusesToStartWithNothingToDraw() {
        QTemporaryDir tmp;
        InputsWindow w;
        w.make_all({}, tmp.path());
        QCOMPARE(w.platform.messages.size(), 1);
        QVERIFY2(w.platform.messages.takeFirst().contains(QStringLiteral("(Ctrl+L)")),
                 qPrintable(w.platform.messages.join(u'|')));

        const std::tuple<QLineEdit*, QString, QString> cases[] = {
            {w.form.Text_R, "", "red colour box is empty"},
            {w.form.Text_G, " ", "green colour box is empty"},
            {w.form.Text_R, "%1\x01", "red colour box holds \"%1\\x01\""},
            {w.form.Text_G, "40000", "green colour box holds \"40000\""},  // past 16 bits
        };
        for (const auto& [box, text, said] : cases) {
            box->setText(text);
            QVERIFY(w.platform.messages.isEmpty());
            w.make_all({"Home", "News"}, tmp.path());
            QCOMPARE(w.platform.messages.size(), 1);
            QVERIFY2(w.platform.messages.first().contains(said),
                     qPrintable(w.platform.messages.first()));
            w.platform.messages.clear();
            QCOMPARE(file_names(tmp.path()), QStringList());
            QCOMPARE(w.selected_row(), -1);
            box->setText(QStringLiteral("255"));
        }
        // Numbers outside 0..255, with blanks or a fraction, draw (held to the range).
        QVERIFY(qv::check_colour_boxes(QStringLiteral("300"), QStringLiteral("-5"),
                                       QStringLiteral(" 7.5 ")));
        QVERIFY(!qv::check_colour_boxes(QStringLiteral("1"), QStringLiteral("2"),
                                        QStringLiteral("0x10")));
    }

    // The progress over the make button after two of four labels: a bar of (152 - 4) * 2 / 4 =
    // 74 amber pixels on the two rows above the lower bevel, and "2 / 4" centred above it.
    void progressShowsHowFarTheRunIs() {
        QTemporaryDir tmp;
        InputsWindow w;
        QImage seen;
        QObject::connect(w.form.Text_Texte, &QLineEdit::textChanged, [&](const QString& text) {
            // The display is brought up to date at most every 30 ms: after this wait the second
            // file's count is shown, and nothing newer before the third is written.
            if (text == u"News") QTest::qSleep(40);
            if (text == u"Contact") seen = look(w.form.screen_image(), w.form.Image_Make);
        });
        w.make_all({"Home", "News", "Contact", "About"}, tmp.path());
        QCOMPARE(seen.size(), QSize(152, 14));
        const QRgb amber = qRgb(255, 190, 52);
        for (int y : {11, 12}) {
            int bar = 0;
            while (bar < seen.width() && seen.pixel(2 + bar, y) == amber) ++bar;
            QCOMPARE(bar, 74);
        }
        QCOMPARE(ink(seen), ink_of(QStringLiteral("2 / 4"), seen.size()));
        QVERIFY(ink(seen) != ink_of(QStringLiteral("3 / 4"), seen.size()));
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
            QCOMPARE(file_names(folder), (QStringList{"Home.bmp", "steel.bmp"}));
            QCOMPARE(read_bytes(old_home), QByteArray("old"));
            QCOMPARE(read_bytes(picture), picture_bytes);
            QCOMPARE(w.selected_row(), -1);
        }
    }
};

QTEST_MAIN(TestInputsBatch)
#include "test_inputs_batch.moc"
