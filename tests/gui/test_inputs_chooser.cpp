// The output directory chooser, driven through the main window's command.
#include "io/form_dir.h"
#include "test_inputs_support.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>

namespace {

QListWidgetItem* line_for(Form_Dir& d, const QString& path) {
    for (int i = 0; i < d.Dir1->count(); ++i)
        if (d.Dir1->item(i)->data(Qt::UserRole).toString() == path) return d.Dir1->item(i);
    return nullptr;
}

void click_line(Form_Dir& d, const QString& path, bool twice) {
    QListWidgetItem* item = line_for(d, path);
    QVERIFY2(item, qPrintable(path));
    d.Dir1->scrollToItem(item);
    const QPoint at = d.Dir1->visualItemRect(item).center();
    // A double-click arrives as a click followed by the double-click event.
    QTest::mouseClick(d.Dir1->viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(d.Dir1->viewport(), Qt::LeftButton, {}, at);
}

}  // namespace

class TestInputsChooser : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        QVERIFY(tmp.isValid());
        for (const char* sub : {"img/icons", "img/logos", "other"})
            QDir(tmp.path()).mkpath(QString::fromLatin1(sub));
        QDir::setCurrent(tmp.path());
    }
    void okTakesTheOpenedFolderNotTheHighlightedOne();
    void cancelKeepsTheDirectoryInForce();
    void listsAncestorsAndSubfoldersAndFollowsVolumes();

  private:
    QTemporaryDir tmp;
};

void TestInputsChooser::okTakesTheOpenedFolderNotTheHighlightedOne() {
    InputsWindow w;
    const QString img = tmp.filePath(QStringLiteral("img"));
    w.platform.on_modal = [&](QDialog& dialog) {
        auto& d = static_cast<Form_Dir&>(dialog);
        QCOMPARE(d.path(), tmp.path());  // starts on the working directory
        click_line(d, img, true);
        click_line(d, img + QStringLiteral("/icons"), false);
        QCOMPARE(d.path(), img);
        QTest::mouseClick(d.Image_Ok, Qt::LeftButton);
    };
    w.form.Image_DirectoryBrowse_MouseUp(1, 0, 0, 0);
    QCOMPARE(w.platform.modal_count, 1);
    QCOMPARE(w.form.output_directory, img);
    QCOMPARE(w.form.Label_Directory->text(), img);

    // The root keeps its "/".
    w.platform.on_modal = [&](QDialog& dialog) {
        auto& d = static_cast<Form_Dir&>(dialog);
        click_line(d, QStringLiteral("/"), true);
        d.Image_Ok_Click();
    };
    w.form.Image_DirectoryBrowse_MouseUp(1, 0, 0, 0);
    QCOMPARE(w.form.output_directory, QStringLiteral("/"));
}

void TestInputsChooser::cancelKeepsTheDirectoryInForce() {
    const std::function<void(Form_Dir&)> closes[] = {
        [](Form_Dir& d) { QTest::mouseClick(d.Image_Cancel, Qt::LeftButton); },
        [](Form_Dir& d) { QTest::mouseClick(d.Image2, Qt::LeftButton); },
        [](Form_Dir& d) { QTest::keyClick(&d, Qt::Key_Escape); },
    };
    for (const QString& before : {tmp.path() + u'/', QString()}) {
        for (const auto& close : closes) {
            InputsWindow w;
            w.form.output_directory = before;  // as a background load leaves it
            w.form.Label_Directory->setText(before);
            w.platform.on_modal = [&](QDialog& dialog) {
                auto& d = static_cast<Form_Dir&>(dialog);
                click_line(d, tmp.filePath(QStringLiteral("other")), true);
                close(d);
                QVERIFY(!d.isVisible());
            };
            w.form.Image_DirectoryBrowse_MouseUp(1, 0, 0, 0);
            QCOMPARE(w.form.output_directory, before);
            QCOMPARE(w.form.Label_Directory->text(), before);
        }
    }
}

void TestInputsChooser::listsAncestorsAndSubfoldersAndFollowsVolumes() {
    QString own;
    ScriptedPlatform platform;
    Form_Dir d(own, platform);
    d.open_folder(tmp.filePath(QStringLiteral("img")));
    QStringList paths;
    for (const qv::DirLine& line : qv::directory_lines(d.path())) paths << line.path;
    QCOMPARE(paths.first(), QStringLiteral("/"));
    QCOMPARE(paths.mid(paths.size() - 3),
             (QStringList{d.path(), d.path() + QStringLiteral("/icons"),
                          d.path() + QStringLiteral("/logos")}));
    QCOMPARE(d.Dir1->count(), paths.size());

    platform.volumes = {QStringLiteral("/"), tmp.filePath(QStringLiteral("img")),
                        QStringLiteral("/no/such/volume")};
    QDir::setCurrent(tmp.filePath(QStringLiteral("img/icons")));
    Form_Dir chooser(own, platform);
    QCOMPARE(chooser.Drive1->currentIndex(), 1);  // the volume holding the working directory
    // An unreadable volume keeps the folder and puts the volume list back.
    chooser.Drive1->setCurrentIndex(2);
    chooser.Drive1_Change();
    QCOMPARE(chooser.path(), tmp.filePath(QStringLiteral("img/icons")));
    QCOMPARE(chooser.Drive1->currentIndex(), 1);
    chooser.Drive1->setCurrentIndex(0);
    chooser.Drive1_Change();
    QCOMPARE(chooser.path(), QStringLiteral("/"));
    QCOMPARE(qv::volume_index({"/", "/media/a"}, "/media/ab"), 0);
    QCOMPARE(qv::volume_index({"/", "/media/a"}, "/media/a/x"), 1);
}

QTEST_MAIN(TestInputsChooser)
#include "test_inputs_chooser.moc"
