// The window's inputs: the background picture, the text list and the output directory chooser.
#include "test_inputs_support.h"
#include "window/inputs/form_dir.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>

namespace {

// Both canvases sit at `at` with the picture's size, shown.
void check_canvases(const Form_Main& f, QPoint at, QSize size) {
    for (const qv::CanvasView* canvas : {f.Picture_buttonscroll, f.Picture_previewscroll}) {
        QCOMPARE(canvas->geometry(), QRect(at, size));
        QVERIFY(!canvas->isHidden());
    }
}

void click_line(Form_Dir& d, const QString& path, bool twice) {
    int row = 0;
    while (row < d.Dir1->count() && d.Dir1->item(row)->data(Qt::UserRole) != path) ++row;
    QListWidgetItem* item = d.Dir1->item(row);
    QVERIFY2(item, qPrintable(path));
    d.Dir1->scrollToItem(item);
    const QPoint at = d.Dir1->visualItemRect(item).center();
    // A double-click arrives as a click followed by the double-click event.
    QTest::mouseClick(d.Dir1->viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(d.Dir1->viewport(), Qt::LeftButton, {}, at);
}

// Runs the window's chooser command with `act` driving the chooser.
void choose(InputsWindow& w, const std::function<void(Form_Dir&)>& act) {
    w.platform.on_modal = [&](QDialog& dialog) { act(static_cast<Form_Dir&>(dialog)); };
    w.form.Image_DirectoryBrowse_MouseUp(1, 0, 0, 0);
}

}  // namespace

class TestInputsPictureList : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;

  private slots:
    // The chooser starts on the working directory when no directory is set, and an unreadable
    // volume keeps it there and goes back to the volume holding it (the longest root that contains
    // it). OK takes the opened folder, not a highlighted one; Cancel, the close box and Escape keep
    // the directory in force, set or not.
    void directoryChooser() {
        InputsWindow w;
        const QString img = tmp.filePath(QStringLiteral("img"));
        QDir().mkpath(img + "/icons");
        QDir::setCurrent(img + "/icons");
        w.platform.volumes = {"/", img, img + "/ic", "/no/such/volume"};
        choose(w, [&](Form_Dir& d) {
            d.Drive1->setCurrentIndex(3);
            d.Drive1_Change();
            QCOMPARE(d.path(), img + "/icons");
            QCOMPARE(d.Drive1->currentIndex(), 1);
            click_line(d, img, true);
            click_line(d, img + "/icons", false);
            QTest::mouseClick(d.Image_Ok, Qt::LeftButton);
        });
        QCOMPARE(w.form.output_directory, img);
        QCOMPARE(w.form.Label_Directory->text(), img);
        // With a directory in force the chooser opens there, and choosing the volume already
        // shown keeps that folder open.
        w.form.output_directory = tmp.path() + u'/';
        choose(w, [&](Form_Dir& d) {
            QCOMPARE(d.path(), tmp.path());
            d.Drive1->setCurrentIndex(0);
            d.Drive1_Change();
            QCOMPARE(d.path(), tmp.path());
            click_line(d, QStringLiteral("/"), true);  // the root keeps its "/"
            d.Image_Ok_Click();
        });
        QCOMPARE(w.form.output_directory, QStringLiteral("/"));

        const std::function<void(Form_Dir&)> closes[] = {
            [](Form_Dir& d) { QTest::mouseClick(d.Image_Cancel, Qt::LeftButton); },
            [](Form_Dir& d) { QTest::mouseClick(d.Image2, Qt::LeftButton); },  // the close box
            [](Form_Dir& d) { QTest::keyClick(&d, Qt::Key_Escape); },
        };
        for (const QString& before : {tmp.path() + u'/', QString()}) {
            for (const auto& close : closes) {
                w.form.output_directory = before;  // as a background load leaves it
                w.form.Label_Directory->setText(before);
                choose(w, [&](Form_Dir& d) {
                    click_line(d, img, true);
                    close(d);
                    QVERIFY(!d.isVisible());
                });
                QCOMPARE(w.form.output_directory, before);
                QCOMPARE(w.form.Label_Directory->text(), before);
            }
        }
    }

    // A picture places both canvases and gives its folder; one that cannot be loaded (corrupt,
    // missing) or is not chosen changes nothing, and the unreadable ones are named. The same
    // for the text list, which a new one replaces.
    void pictureAndTextList() {
        QDir(tmp.path()).mkdir(QStringLiteral("buttons"));
        InputsWindow w;
        w.platform.folder = tmp.path();
        const QString corrupt = write_bytes(tmp.filePath("corrupt.bmp"), "BM not a bitmap");
        const QString missing = tmp.filePath(QStringLiteral("missing.gif"));
        const QString art = tmp.filePath(QStringLiteral("art"));
        const std::pair<QSize, QPoint> cases[] = {
            {{200, 80}, {-25, -12}}, {{150, 56}, {0, 0}}, {{100, 40}, {25, 8}}};
        for (const auto& [size, at] : cases) {
            const QString path = write_picture(art, QStringLiteral("back.png"), size);
            w.load_picture(path);
            check_canvases(w.form, at, size);
            QCOMPARE(w.form.Picture_buttonscroll->canvas().image, read_back(path));
        }
        QVERIFY(!w.form.Picture_typoscroll->isHidden());
        // Centred on 40 pixels with a 15 or 16 pixel line: floor(20 - 7.5) = floor(20 - 8) = 12.
        QCOMPARE(w.form.text_y, std::int16_t(12));
        QCOMPARE(w.form.Label_Directory->text(), art + u'/');
        // The first dialog opens in the sample backgrounds, the next where the last choice was.
        QCOMPARE(w.platform.dialog_dirs.first(), tmp.filePath(QStringLiteral("buttons")));
        QCOMPARE(w.platform.dialog_dirs.last(), art);
        for (const char* glob : {"*.bmp", "*.jpg", "*.jpeg", "*.gif", "*.png"})
            QVERIFY(w.platform.dialog_patterns.first().split(u';').contains(QLatin1String(glob)));

        w.form.text_y = 3;  // as a drag would leave it
        const QImage before = w.form.Picture_buttonscroll->canvas().image;
        w.platform.file_answers = {corrupt, missing, std::nullopt};
        for (int answer = 0; answer < 3; ++answer) {
            w.form.Image_loadbutton_MouseUp(2, 0, 0, 0);
            check_canvases(w.form, {25, 8}, {100, 40});
            QCOMPARE(w.form.Picture_buttonscroll->canvas().image, before);
            QCOMPARE(w.form.text_y, std::int16_t(3));
            QCOMPARE(w.form.output_directory, art + u'/');
        }
        QVERIFY(w.platform.messages[0].contains(corrupt) &&
                w.platform.messages[1].contains(missing));

        // The text list: loaded, a click puts a label into the entry.
        w.load_list(write_bytes(tmp.filePath("a.txt"), "Home\r\nNews\r\n"));
        QCOMPARE(w.form.List1_items->stringList(), (QStringList{"Home", "News"}));
        QCOMPARE(w.platform.dialog_dirs.last(), tmp.filePath(QStringLiteral("samples")));
        QCOMPARE(w.platform.dialog_patterns.last(), QStringLiteral("*.txt"));
        const QRect second = w.form.List1->visualRect(w.form.List1_items->index(1));
        QTest::mouseClick(w.form.List1->viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(w.form.Text_Texte->text(), QStringLiteral("News"));

        // What cannot be read (a folder, a missing file) keeps the list and is named.
        for (const QString& path : {tmp.filePath("gone.txt"), tmp.path()}) {
            w.load_list(path);
            QCOMPARE(w.platform.dialog_dirs.last(), tmp.path());  // where a.txt was chosen
            QCOMPARE(w.form.List1_items->stringList(), (QStringList{"Home", "News"}));
            QVERIFY2(w.platform.messages.takeLast().contains(path), qPrintable(path));
        }
        w.form.Image_loadTxt_Click();             // a cancelled dialog says nothing
        QCOMPARE(w.platform.messages.size(), 2);  // the pictures' two: one for each

        // Another list replaces everything: nothing selected, the entry keeps its label.
        w.load_list(write_bytes(tmp.filePath("b.txt"), "  Home\r\r\nContact"));
        QCOMPARE(w.form.List1_items->stringList(), (QStringList{"  Home", "", "Contact"}));
        QCOMPARE(w.selected_row(), -1);
        QCOMPARE(w.form.Text_Texte->text(), QStringLiteral("News"));
    }
};

QTEST_MAIN(TestInputsPictureList)
#include "test_inputs_picture_list.moc"
