// Style files in the window: what "save style" writes (the label fitting too), "open style" turns
// back into the window's controls and looks, whole or not at all. (That quorvane-batch --style
// writes the window's very buttons is with the other window-and-tool comparisons.)
#include "test_inputs_support.h"

#include <QTemporaryDir>

namespace {

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
            a.form.set_label_layout(
                {qv::FitMode::Wrap, 7, qv::Stretch{8, 9, qv::StretchMode::Tile, 30, std::nullopt}});
            style = save_style(a, tmp.filePath(QStringLiteral("look")));
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
        QVERIFY(shown(b) == saved);  // the controls' values, and every look on screen and off
        QCOMPARE(b.form.List_Typo->selectedItems().first()->text(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(b.form.output_directory, tmp.path() + u'/');
        QCOMPARE(png.size(), 1);
    }

    void aStyleThatCannotBeHadChangesNothing() {
        QTemporaryDir tmp;
        const QString picture = write_picture(tmp.path(), QStringLiteral("back.bmp"), {120, 40});
        const QString good = tmp.filePath(QStringLiteral("good.qvstyle"));
        InputsWindow w;
        w.load_picture(picture);
        w.form.Image_effet1_Click();
        save_style(w, tmp.filePath(QStringLiteral("good")));
        QVERIFY(QFile::exists(good));
        const QByteArray bytes = read_bytes(good);

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
        w.form.set_label_layout({qv::FitMode::Shrink, 6, qv::Stretch{}});
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
        QVERIFY(w.form.label_layout() == qv::LabelLayout{});  // it fits nothing: none is said
    }
};

QTEST_MAIN(TestStyleFiles)
#include "test_style_files.moc"
