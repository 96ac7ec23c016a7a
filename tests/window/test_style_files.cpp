// Style files from the window: what "save style" writes, quorvane-batch --style turns into the
// window's very buttons, and "open style" turns back into the window's controls and looks, whole
// or not at all.
#include "core/io/picture_loader.h"
#include "core/render/text_renderer.h"
#include "test_inputs_support.h"

#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const QStringList kLabels{QStringLiteral("Home"), QStringLiteral("News"), QStringLiteral("Café")};

// Every setting away from its default, the picture loaded first: its text line is centred in
// the 10-point default face and stays there when font and size change afterwards.
void style_everything(InputsWindow& w, const QString& picture) {
    w.load_picture(picture);
    w.form.List_Typo->findItems(QStringLiteral("DejaVu Sans"), Qt::MatchExactly)
        .first()
        ->setSelected(true);
    for (int i = 0; i < 4; ++i) w.form.Image_sizeplus_Click();
    w.form.Image4_Click();  // bold
    w.form.Image2_Click();  // italic
    w.form.Image3_Click();  // underline
    w.form.Image_effet1_Click();
    w.form.Image_effet2_Click();
    w.form.Image_effet3_Click();
    w.form.Text_R->setText(QStringLiteral("200"));
    w.form.Text_G->setText(QStringLiteral("120.5"));
    w.form.Text_B->setText(QStringLiteral(" 7"));
    w.form.Image_leftplus_Click();
    w.form.Image_right_Click();
    for (int i = 0; i < 3; ++i) w.form.Image_rightplus_Click();
    w.form.set_write_png(true);
}

QString save(InputsWindow& w, const QString& path_without_suffix) {
    w.platform.save_answers.push_back(path_without_suffix);
    w.form.save_style();
    return path_without_suffix + QStringLiteral(".qvstyle");
}

// What the window shows and holds, to compare two windows or one before and after.
struct Shown {
    qv::StyleSettings style;
    QImage preview, persistent, screen;
    QString directory;
    bool operator==(const Shown&) const = default;
};
Shown shown(const InputsWindow& w) {
    return {w.form.style_settings(), w.preview(), w.form.persistent_image(), w.form.screen_image(),
            w.form.output_directory};
}

}  // namespace

class TestStyleFiles : public QObject {
    Q_OBJECT
  private slots:
    void batchToolWritesTheWindowsBytes() {
        QTemporaryDir tmp;
        const QString picture = write_picture(tmp.path(), QStringLiteral("back.bmp"), {150, 56});
        const QString list = write_bytes(tmp.filePath(QStringLiteral("labels.txt")),
                                         kLabels.join(QStringLiteral("\r\n")).toUtf8());
        QDir(tmp.path()).mkdir(QStringLiteral("window"));
        QDir(tmp.path()).mkdir(QStringLiteral("tool"));

        InputsWindow w;
        style_everything(w, picture);
        // The window's line is not where the tool would centre it in the final font.
        qv::Canvas measure = qv::Canvas::make({150, 56}, qv::kWindowBackground);
        qv::set_label_font(measure, w.form.current_style());
        QVERIFY(w.form.text_y != qv::centred_text_y(56, qv::line_height(measure)));

        const QString style = save(w, tmp.filePath(QStringLiteral("look")));
        QCOMPARE(w.platform.save_filters,
                 QStringList{QStringLiteral("Quorvane style (*.qvstyle)")});
        w.make_all(kLabels, tmp.filePath(QStringLiteral("window")));
        QVERIFY(w.platform.messages.isEmpty());

        QProcess tool;
        tool.start(QStringLiteral(QUORVANE_BATCH),
                   {"--style", style, "--labels", list, "--out", tmp.filePath("tool"), "--quiet"});
        QVERIFY(tool.waitForFinished(30000));
        QVERIFY2(tool.exitCode() == 0, tool.readAllStandardError().constData());

        const QStringList names = files_in(tmp.filePath(QStringLiteral("window")));
        QCOMPARE(names, (QStringList{"Café.png", "Home.png", "News.png"}));
        QCOMPARE(files_in(tmp.filePath(QStringLiteral("tool"))), names);
        for (const QString& name : names) {
            QFile a(tmp.filePath("window/" + name)), b(tmp.filePath("tool/" + name));
            QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
            QVERIFY2(a.readAll() == b.readAll(), qPrintable(name));
        }
        // PNG files carry the very pixels the bitmap would.
        QCOMPARE(read_back(tmp.filePath("window/Café.png")),
                 w.preview().convertToFormat(QImage::Format_RGB32));
    }

    void openAfterSaveRestoresEveryControlAndLook() {
        QTemporaryDir tmp;
        const QString picture = write_picture(tmp.path(), QStringLiteral("back.bmp"), {120, 40});
        const QString other = write_picture(tmp.path(), QStringLiteral("other.bmp"), {90, 30});
        Shown saved;
        QString style;
        {
            InputsWindow a;
            style_everything(a, picture);
            a.form.Picture_previewscroll_MouseDown(1, 0, 0, 5);  // the line dragged up
            style = save(a, tmp.filePath(QStringLiteral("look")));
            saved = shown(a);
        }
        InputsWindow b;
        QSignalSpy png(&b.form, &Form_Main::write_png_changed);
        b.load_picture(other);
        b.form.Image_effet2_Click();  // already on in the style: must stay on, not flip off
        DrawCounter draws{b.form};
        QVERIFY(b.form.apply_style_file(style));
        QCOMPARE(draws.since(), 1);
        QVERIFY(b.platform.messages.isEmpty());
        QVERIFY(shown(b) == saved);
        QCOMPARE(b.form.List_Typo->selectedItems().first()->text(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(b.form.Label_size->text(), QStringLiteral("14"));
        QCOMPARE(b.form.Text_B->text(), QStringLiteral(" 7"));
        for (qv::HotSpot* on : {b.form.Image4, b.form.Image2, b.form.Image3, b.form.Image_effet1,
                                b.form.Image_effet2, b.form.Image_effet3, b.form.Image_right})
            QVERIFY(latched(b.form, on, b.form.Picture_Etat2()));
        QVERIFY(latched(b.form, b.form.Image_center, b.form.Picture_Etat1()));
        QCOMPARE(b.form.output_directory, tmp.path() + u'/');
        QCOMPARE(png.size(), 1);
    }

    void shortcutsAskForTheFiles() {
        InputsWindow w;
        w.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        QTest::keyClick(&w.form, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(w.platform.save_filters.size(), 1);
        QTest::keyClick(&w.form, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.platform.dialog_patterns,
                 QStringList{QStringLiteral("Quorvane style (*.qvstyle)")});
    }

    void aStyleThatCannotBeHadChangesNothing() {
        QTemporaryDir tmp;
        const QString picture = write_picture(tmp.path(), QStringLiteral("back.bmp"), {120, 40});
        const QString good = tmp.filePath(QStringLiteral("good.qvstyle"));
        InputsWindow w;
        w.load_picture(picture);
        w.form.Image_effet1_Click();
        save(w, tmp.filePath(QStringLiteral("good")));
        QVERIFY(QFile::exists(good));
        const QByteArray bytes = [&] {
            QFile f(good);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();

        auto variant = [&](const char* name, QByteArray json) {
            return write_bytes(tmp.filePath(QString::fromLatin1(name)), json);
        };
        const QString cases[] = {
            tmp.filePath(QStringLiteral("none.qvstyle")),
            variant("broken.qvstyle", bytes.left(bytes.size() / 2)),
            variant("picture.qvstyle",
                    QByteArray(bytes).replace("back.bmp", "gone.bmp").replace("false", "true")),
            variant("font.qvstyle",
                    QByteArray(bytes).replace("\"font\": \"\"", "\"font\": \"Liberation Sans\"")),
            variant("size.qvstyle", QByteArray(bytes).replace("\"size\": 10", "\"size\": 4")),
        };
        // A different look from the file's, so a half-applied file would show.
        w.form.Image_left_Click();
        w.form.Image4_Click();
        const Shown before = shown(w);
        DrawCounter draws{w.form};
        for (const QString& path : cases) {
            w.platform.messages.clear();
            QVERIFY(!w.form.apply_style_file(path));
            QCOMPARE(w.platform.messages.size(), 1);
            QVERIFY2(w.platform.messages.first().contains(path),
                     qPrintable(w.platform.messages.first()));
            QVERIFY(shown(w) == before);
        }
        QCOMPARE(draws.since(), 0);
        QVERIFY(w.form.apply_style_file(good));  // and the good one still applies
        QVERIFY(shown(w) != before);
    }
};

QTEST_MAIN(TestStyleFiles)
#include "test_style_files.moc"
