// "Make all buttons": what the run writes, where, and how it stops.
#include "test_inputs_support.h"

#include <QFileInfo>
#include <QTemporaryDir>

namespace {

QImage read_back(const QString& path) {
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

}  // namespace

class TestInputsBatch : public QObject {
    Q_OBJECT
  private slots:
    void writesEveryLabelInListOrder();
    void everyFileIsItsPreview();
    void namesFollowTheLabelsExactly();
    void refusesWhatItCannotWrite();
    void aRunIgnoresANewRunAndANewList();
};

void TestInputsBatch::writesEveryLabelInListOrder() {
    QTemporaryDir tmp;
    for (const QString& dir : {tmp.path(), tmp.path() + u'/'}) {
        InputsWindow w;
        QStringList shown;
        QObject::connect(w.form.Text_Texte, &QLineEdit::textChanged,
                         [&](const QString& text) { shown << text; });
        w.make_all({"Home", "News", "Contact"}, dir);
        QCOMPARE(shown, (QStringList{"Home", "News", "Contact"}));
        QCOMPARE(files_in(tmp.path()), (QStringList{"Contact.bmp", "Home.bmp", "News.bmp"}));
        QCOMPARE(w.selected_row(), 2);
        QCOMPARE(w.form.Text_Texte->text(), QStringLiteral("Contact"));
        QVERIFY(w.platform.messages.isEmpty());
        QVERIFY(!w.form.batch_running());
        // The progress shown over the button is gone.
        const QRect make = w.form.Image_Make->window_rect();
        QCOMPARE(w.form.screen_image().copy(make), w.form.persistent_image().copy(make));
    }
}

void TestInputsBatch::everyFileIsItsPreview() {
    QTemporaryDir tmp;
    InputsWindow w;
    const QStringList labels{"Home", "News"};
    const auto check_files = [&](QSize size) {
        for (int i = 0; i < labels.size(); ++i) {
            w.select(i);
            const QImage file = read_back(tmp.filePath(labels[i] + QStringLiteral(".bmp")));
            QCOMPARE(file.size(), size);
            QCOMPARE(file, w.form.Picture_previewscroll->canvas().image);
        }
        QVERIFY(read_back(tmp.filePath("Home.bmp")) != read_back(tmp.filePath("News.bmp")));
    };
    w.make_all(labels, tmp.path());
    check_files({65, 43});  // no picture yet: the canvas's design size

    const QString art = tmp.filePath(QStringLiteral("art"));
    w.load_picture(write_picture(art, QStringLiteral("wide.png"), {200, 80}));
    w.make_all(labels, tmp.path());
    check_files({200, 80});  // the whole picture, not the part the frame shows
}

void TestInputsBatch::namesFollowTheLabelsExactly() {
    QTemporaryDir tmp;
    QDir(tmp.path()).mkdir(QStringLiteral("sub"));
    InputsWindow w;
    w.make_all({"", "Same", " Same", "Same", "sub/In"}, tmp.path());
    QCOMPARE(files_in(tmp.path()), (QStringList{" Same.bmp", ".bmp", "Same.bmp"}));
    QCOMPARE(files_in(tmp.filePath("sub")), QStringList{"In.bmp"});
    QVERIFY(w.platform.messages.isEmpty());
}

void TestInputsBatch::refusesWhatItCannotWrite() {
    QTemporaryDir tmp;
    // No directory: nothing is written and the user is told to choose one.
    {
        InputsWindow w;
        int selections = 0;
        QObject::connect(w.form.List1->selectionModel(), &QItemSelectionModel::selectionChanged,
                         [&] { ++selections; });
        w.make_all({"Home"}, QString());
        QCOMPARE(selections, 0);
        QCOMPARE(w.platform.messages.size(), 1);
        QVERIFY(w.platform.messages.first().contains(QStringLiteral("directory")));
    }

    // A missing subfolder, a folder in the way, a way out of the directory: the run stops there,
    // names the path, and keeps what it wrote before.
    const QString out = tmp.filePath(QStringLiteral("out"));
    QDir().mkpath(out + QStringLiteral("/Blocked.bmp"));
    const QByteArray junk(10, 'x');
    const struct {
        const char* label;
        QString named;
    } faults[] = {{"missing/B", out + QStringLiteral("/missing/B.bmp")},
                  {"Blocked", out + QStringLiteral("/Blocked.bmp")},
                  {"../escape", QStringLiteral("../escape")}};
    for (const auto& fault : faults) {
        InputsWindow w;
        write_bytes(out + QStringLiteral("/A.bmp"), junk);
        w.make_all({"A", QString::fromLatin1(fault.label), "C"}, out);
        QCOMPARE(w.platform.messages.size(), 1);
        QVERIFY2(w.platform.messages.first().contains(fault.named),
                 qPrintable(w.platform.messages.first()));
        QCOMPARE(w.selected_row(), 1);
        // The existing A.bmp was replaced whole; C was never reached; no temporary is left.
        w.select(0);
        QCOMPARE(read_back(out + QStringLiteral("/A.bmp")),
                 w.form.Picture_previewscroll->canvas().image);
        QCOMPARE(files_in(out), QStringList{"A.bmp"});
        QVERIFY(QFileInfo(out + QStringLiteral("/Blocked.bmp")).isDir());
        QVERIFY(!QFileInfo::exists(tmp.filePath(QStringLiteral("escape.bmp"))));
        QVERIFY(!w.form.batch_running());
    }
}

void TestInputsBatch::aRunIgnoresANewRunAndANewList() {
    QTemporaryDir tmp;
    InputsWindow w;
    const QString other =
        write_bytes(tmp.filePath(QStringLiteral("other.txt")), QByteArray("X\r\nY"));
    QStringList shown;
    QObject::connect(w.form.Text_Texte, &QLineEdit::textChanged, [&](const QString& text) {
        shown << text;
        if (shown.size() != 2) return;
        // Events handled while the run lets them through.
        QVERIFY(w.form.batch_running());
        w.form.Image_Make_MouseUp(1, 0, 0, 0);
        w.load_list(other);
    });
    const QStringList labels{"L1", "L2", "L3", "L4"};
    w.make_all(labels, tmp.path());
    QCOMPARE(shown, labels);  // one pass, not a second one nested in it
    QCOMPARE(w.form.List1_items->stringList(), labels);
    QVERIFY(w.platform.dialog_dirs.isEmpty());
    QCOMPARE(files_in(tmp.path()),
             (QStringList{"L1.bmp", "L2.bmp", "L3.bmp", "L4.bmp", "other.txt"}));

    // Afterwards both work again.
    w.platform.file_answers.clear();
    w.load_list(other);
    QCOMPARE(w.form.List1_items->stringList(), (QStringList{"X", "Y"}));
}

QTEST_MAIN(TestInputsBatch)
#include "test_inputs_batch.moc"
