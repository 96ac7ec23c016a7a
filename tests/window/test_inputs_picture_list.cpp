// The window's inputs: the background picture, the text list and the output directory chooser.
#include "test_inputs_support.h"
#include "window/inputs/form_dir.h"
#include "window/inputs/output_folder.h"

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
        QCOMPARE(w.form.Label_Directory->toolTip(), img);
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
                choose(w, [&](Form_Dir& d) {
                    click_line(d, img, true);
                    close(d);
                    QVERIFY(!d.isVisible());
                });
                QCOMPARE(w.form.output_directory, before);
            }
        }
    }

    // A picture places both canvases and gives its folder; one that cannot be loaded (corrupt,
    // missing) or is not chosen changes nothing, and the unreadable ones are named. The same
    // for the text list, which a new one replaces.
    void pictureAndTextList() {
        const QString data = tmp.filePath(QStringLiteral("data"));
        QDir(data).mkpath(QStringLiteral("buttons"));
        InputsWindow w;
        w.platform.folder = data;
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
        QCOMPARE(w.form.output_directory, art + u'/');
        // The first dialog opens in the sample backgrounds, the next where the last choice was.
        QCOMPARE(w.platform.dialog_dirs.first(), data + QStringLiteral("/buttons"));
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
        QCOMPARE(w.platform.dialog_dirs.last(), data + QStringLiteral("/samples"));
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

    // A picture among the program's own samples (its data folder, reached through links or "..")
    // sends the set to the user's pictures folder, made at the first run; a look-alike folder
    // beside the data does not. A run refused there, or a pictures folder that cannot be made,
    // writes nothing, leaves no folder and says how to choose another.
    void samplesGoToThePicturesFolder() {
        const QString root = tmp.filePath(QStringLiteral("installed"));
        const QString data = root + QStringLiteral("/share/quorvane");
        const QString sample =
            write_picture(data + "/buttons", QStringLiteral("steel.png"), {80, 30});
        const QString beside =
            write_picture(root + "/share/quorvane-old", QStringLiteral("steel.png"), {80, 30});
        QVERIFY(QFile::link(data + "/buttons", root + "/linked"));
        const QString linked = root + QStringLiteral("/linked/steel.png");
        QVERIFY(qv::lies_in(linked, data));
        QVERIFY(qv::lies_in(root + "/share/quorvane-old/../quorvane/buttons/steel.png", data));
        QVERIFY(!qv::lies_in(data + "/buttons/../../quorvane-old/steel.png", data));
        QVERIFY(!qv::lies_in(beside, data));
        QVERIFY(!qv::lies_in(root + "/missing.png", root));
        QVERIFY(qv::lies_in(sample, QStringLiteral("/")));

        InputsWindow w;
        w.platform.folder = data;
        const QString pictures = root + QStringLiteral("/home/Pictures");
        w.platform.pictures = pictures;
        for (const QString& picture : {sample, linked}) {
            w.load_picture(picture);
            QCOMPARE(w.form.output_directory, pictures + QStringLiteral("/Quorvane/"));
        }
        QVERIFY(!QFileInfo::exists(pictures));
        w.load_picture(beside);
        QCOMPARE(w.form.output_directory, root + QStringLiteral("/share/quorvane-old/"));
        const auto make = [&](const QStringList& labels) {
            w.form.List1_items->setStringList(labels);
            w.form.Image_Make_MouseUp(1, 0, 0, 0);
        };
        w.load_picture(sample);
        make({"Home", "News"});
        QVERIFY(w.platform.messages.isEmpty());
        QCOMPARE(file_names(pictures + "/Quorvane"), (QStringList{"Home.bmp", "News.bmp"}));
        QCOMPARE(file_names(data + "/buttons"), QStringList{"steel.png"});

        const QString file = write_bytes(root + QStringLiteral("/file"), "x");
        for (const QString& other : {root + QStringLiteral("/other"), file}) {
            w.platform.pictures = other;
            w.load_picture(sample);
            make({"Home", "../evil"});
            QCOMPARE(w.platform.messages.size(), 1);
            const QString said = w.platform.messages.takeFirst();
            QVERIFY2(said.contains(QStringLiteral("Ctrl+D")), qPrintable(said));
            QVERIFY(!QFileInfo::exists(root + QStringLiteral("/other")));
            QVERIFY(!QFileInfo::exists(root + QStringLiteral("/evil.bmp")));
        }
    }

    // A directory chosen in the chooser or dropped stays when a style brings its picture; a
    // picture loaded on its own brings its folder again. The folder's caption is elided in the
    // middle to its width, whole in its tooltip.
    void aChosenDirectoryOutlivesAStyle() {
        const QString art = tmp.filePath(QStringLiteral("styled/art"));
        const QString picture = write_picture(art, QStringLiteral("back.png"), {90, 30});
        const QString look = write_bytes(
            art + "/look.qvstyle",
            QStringLiteral(R"({"quorvane_style": 1, "background": "%1"})").arg(picture).toUtf8());
        const QString out = tmp.filePath(QStringLiteral("styled/a folder with a long name/out"));
        QDir().mkpath(out);
        InputsWindow w;
        QVERIFY(w.form.apply_style_file(look));
        QCOMPARE(w.form.output_directory, art + u'/');  // none chosen: the picture's folder

        w.form.output_directory = out;  // the chooser opens there: OK chooses it
        choose(w, [](Form_Dir& d) { d.Image_Ok_Click(); });
        QVERIFY(w.form.apply_style_file(look));
        QCOMPARE(w.form.output_directory, out);
        w.form.set_output_directory(QStringLiteral("/"));  // as a dropped folder
        QVERIFY(w.form.apply_style_file(look));
        QCOMPARE(w.form.output_directory, QStringLiteral("/"));
        QCOMPARE(w.form.Label_Directory->text(), QStringLiteral("/"));
        w.load_picture(picture);
        QVERIFY(w.form.apply_style_file(look));
        QCOMPARE(w.form.output_directory, art + u'/');

        w.form.set_output_directory(out);
        const QLabel& caption = *w.form.Label_Directory;
        QCOMPARE(caption.toolTip(), out);
        QVERIFY2(caption.text().startsWith(out.left(2)) && caption.text().endsWith(u"/out") &&
                     caption.text().contains(QChar(0x2026)),
                 qPrintable(caption.text()));
        QVERIFY(caption.fontMetrics().horizontalAdvance(caption.text()) <= caption.width());
    }
};

QTEST_MAIN(TestInputsPictureList)
#include "test_inputs_picture_list.moc"
