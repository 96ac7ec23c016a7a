// Loading the background picture and the text list into the window.
#include "test_inputs_support.h"

#include <QLabel>
#include <QTemporaryDir>

class TestInputsPictureList : public QObject {
    Q_OBJECT
  private slots:
    void picturePlacesBothCanvasesAndTakesItsFolder();
    void pictureThatCannotBeLoadedChangesNothing();
    void textListReplacesTheListAndFeedsTheEntry();
    void textListThatCannotBeReadKeepsTheOldOne();
};

void TestInputsPictureList::picturePlacesBothCanvasesAndTakesItsFolder() {
    QTemporaryDir tmp;
    QDir(tmp.path()).mkdir(QStringLiteral("buttons"));
    InputsWindow w;
    w.platform.folder = tmp.path();
    const QString art = tmp.filePath(QStringLiteral("art"));
    const struct {
        QSize size;
        QPoint at;
    } cases[] = {{{200, 80}, {-25, -12}}, {{150, 56}, {0, 0}}, {{100, 40}, {25, 8}}};
    for (const auto& c : cases) {
        const QString path = write_picture(art, QStringLiteral("back.png"), c.size);
        w.load_picture(path);
        for (CanvasView* canvas : {w.form.Picture_buttonscroll, w.form.Picture_previewscroll}) {
            QCOMPARE(canvas->pos(), c.at);
            QCOMPARE(canvas->size(), c.size);
            QCOMPARE(canvas->canvas().image.size(), c.size);
            QVERIFY(!canvas->isHidden());
        }
        QCOMPARE(w.form.Picture_buttonscroll->canvas().image,
                 QImage(path).convertToFormat(QImage::Format_RGB32));
    }
    QVERIFY(!w.form.Picture_typoscroll->isHidden());
    // Centred on 40 pixels with a 15 or 16 pixel line: floor(20 - 7.5) = floor(20 - 8) = 12.
    QCOMPARE(w.form.text_y, std::int16_t(12));
    QCOMPARE(w.form.output_directory, art + u'/');
    QCOMPARE(w.form.Label_Directory->text(), art + u'/');
    QCOMPARE(w.platform.dialog_dirs.first(), tmp.filePath(QStringLiteral("buttons/")));
    QCOMPARE(w.platform.dialog_patterns.first(), QStringLiteral("*.bmp;*.jpg;*.gif"));
}

void TestInputsPictureList::pictureThatCannotBeLoadedChangesNothing() {
    QTemporaryDir tmp;
    InputsWindow w;
    const QString corrupt =
        write_bytes(tmp.filePath(QStringLiteral("corrupt.bmp")), QByteArray("BM not a bitmap"));
    const QString missing = tmp.filePath(QStringLiteral("missing.gif"));

    // Before any picture: the canvases stay hidden at their design size.
    w.load_picture(corrupt);
    QVERIFY(w.form.Picture_buttonscroll->isHidden());
    QVERIFY(w.form.Picture_previewscroll->isHidden());
    QCOMPARE(w.form.Picture_previewscroll->canvas().image.size(), QSize(65, 43));
    QCOMPARE(w.form.output_directory, QString());

    w.load_picture(write_picture(tmp.path(), QStringLiteral("good.png"), {100, 40}));
    w.form.text_y = 3;  // as a drag would leave it
    const QImage before = w.form.Picture_buttonscroll->canvas().image;
    for (const std::optional<QString>& answer :
         {std::optional<QString>(corrupt), std::optional<QString>(missing),
          std::optional<QString>()}) {
        w.platform.file_answers.push_back(answer);
        w.form.Image_loadbutton_MouseUp(2, 0, 0, 0);
        for (CanvasView* canvas : {w.form.Picture_buttonscroll, w.form.Picture_previewscroll}) {
            QCOMPARE(canvas->pos(), QPoint(25, 8));
            QCOMPARE(canvas->size(), QSize(100, 40));
            QVERIFY(!canvas->isHidden());
        }
        QCOMPARE(w.form.Picture_buttonscroll->canvas().image, before);
        QCOMPARE(w.form.text_y, std::int16_t(3));
        QCOMPARE(w.form.output_directory, tmp.path() + u'/');
    }
    // The unreadable pictures are named to the user; the cancel says nothing.
    QCOMPARE(w.platform.messages.size(), 3);
    QVERIFY(w.platform.messages[0].contains(corrupt));
    QVERIFY(w.platform.messages[1].contains(corrupt));
    QVERIFY(w.platform.messages[2].contains(missing));
}

void TestInputsPictureList::textListReplacesTheListAndFeedsTheEntry() {
    QTemporaryDir tmp;
    InputsWindow w;
    w.platform.folder = tmp.path();
    w.load_list(write_bytes(tmp.filePath(QStringLiteral("a.txt")), "Home\r\nNews\r\n"));
    QCOMPARE(w.platform.dialog_dirs.last(), tmp.path());
    QCOMPARE(w.platform.dialog_patterns.last(), QStringLiteral("*.txt"));
    QCOMPARE(w.form.List1_items->stringList(), (QStringList{"Home", "News"}));

    // A click in the list puts the label into the entry.
    const QRect second = w.form.List1->visualRect(w.form.List1_items->index(1));
    QTest::mouseClick(w.form.List1->viewport(), Qt::LeftButton, {}, second.center());
    QCOMPARE(w.form.Text_Texte->text(), QStringLiteral("News"));

    // A second load replaces everything; nothing is selected and the entry keeps its label.
    w.load_list(write_bytes(tmp.filePath(QStringLiteral("b.txt")), "  Home\r\r\nContact"));
    QCOMPARE(w.form.List1_items->stringList(), (QStringList{"  Home", "", "Contact"}));
    QCOMPARE(w.selected_row(), -1);
    QCOMPARE(w.form.Text_Texte->text(), QStringLiteral("News"));
    // So does the keyboard.
    w.form.List1->setFocus();
    w.select(0);
    QTest::keyClick(w.form.List1, Qt::Key_End);
    QCOMPARE(w.form.Text_Texte->text(), QStringLiteral("Contact"));
}

void TestInputsPictureList::textListThatCannotBeReadKeepsTheOldOne() {
    QTemporaryDir tmp;
    InputsWindow w;
    w.load_list(write_bytes(tmp.filePath(QStringLiteral("a.txt")), "Home\r\nNews"));
    const QString folder = tmp.path();  // a folder is no list
    const QString missing = tmp.filePath(QStringLiteral("gone.txt"));
    for (const QString& path : {folder, missing}) {
        w.load_list(path);
        QCOMPARE(w.form.List1_items->stringList(), (QStringList{"Home", "News"}));
        QVERIFY2(w.platform.messages.last().contains(path), qPrintable(w.platform.messages.last()));
    }
    QCOMPARE(w.platform.messages.size(), 2);
    // A cancelled dialog says nothing.
    w.form.Image_loadTxt_Click();
    QCOMPARE(w.platform.messages.size(), 2);
}

QTEST_MAIN(TestInputsPictureList)
#include "test_inputs_picture_list.moc"
