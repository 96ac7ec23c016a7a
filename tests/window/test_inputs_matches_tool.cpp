// The window's "make all buttons" and quorvane-batch write the same bytes for the same picture,
// labels and style: they share the composer, the path rules and the writer, and this keeps them so.
#include "test_inputs_support.h"

#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const QStringList kLabels{QStringLiteral("Home"), QStringLiteral("  Contact us"), QString(),
                          QStringLiteral("Café"), QStringLiteral("Home")};

int run_tool(const QStringList& args) {
    QProcess tool;
    tool.start(QStringLiteral(QUORVANE_BATCH), args);
    if (!tool.waitForFinished(30000)) return -1;
    return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
}

// Same names, same bytes.
void compare_folders(const QString& window, const QString& tool) {
    const QStringList names = files_in(window);
    QCOMPARE(names, files_in(tool));
    QCOMPARE(names.size(), 4);  // the repeated label writes one file
    for (const QString& name : names) {
        QFile a(window + u'/' + name), b(tool + u'/' + name);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QVERIFY2(a.readAll() == b.readAll(), qPrintable(name));
    }
}

}  // namespace

class TestInputsMatchesTool : public QObject {
    Q_OBJECT
  private slots:
    void styledButtonsOnAPicture() {
        QTemporaryDir tmp;
        const QString picture = write_picture(tmp.path(), QStringLiteral("back.bmp"), {150, 56});
        const QString list = write_bytes(tmp.filePath(QStringLiteral("labels.txt")),
                                         kLabels.join(QStringLiteral("\r\n")).toUtf8());
        QDir(tmp.path()).mkdir(QStringLiteral("window"));
        QDir(tmp.path()).mkdir(QStringLiteral("tool"));

        InputsWindow w;
        w.form.List_Typo->findItems(QStringLiteral("DejaVu Sans"), Qt::MatchExactly)
            .first()
            ->setSelected(true);
        w.form.Image_sizeplus_Click();
        w.form.Image_sizeplus_Click();
        w.form.Image4_Click();        // bold
        w.form.Image_effet1_Click();  // shadow
        w.form.Image_effet3_Click();  // 3D
        w.form.Text_R->setText(QStringLiteral("200"));
        w.form.Text_G->setText(QStringLiteral("120.5"));
        w.form.Text_B->setText(QStringLiteral("30"));
        w.form.Image_right_Click();
        for (int i = 0; i < 3; ++i) w.form.Image_rightplus_Click();
        // Loaded last, so that the text line is centred with the label font the tool uses.
        w.load_picture(picture);
        w.make_all(kLabels, tmp.filePath(QStringLiteral("window")));
        QVERIFY(w.platform.messages.isEmpty());

        QCOMPARE(run_tool({"--labels",
                           list,
                           "--out",
                           tmp.filePath(QStringLiteral("tool")),
                           "--background",
                           picture,
                           "--font",
                           "DejaVu Sans",
                           "--size",
                           "12",
                           "--bold",
                           "--shadow",
                           "--3d",
                           "--color",
                           "200,120.5,30",
                           "--align",
                           "right",
                           "--margin-right",
                           "3",
                           "--jobs",
                           "2",
                           "--quiet"}),
                 0);
        compare_folders(tmp.filePath(QStringLiteral("window")),
                        tmp.filePath(QStringLiteral("tool")));
    }

    void plainButtonsBeforeAnyPicture() {
        QTemporaryDir tmp;
        const QString list = write_bytes(tmp.filePath(QStringLiteral("labels.txt")),
                                         kLabels.join(QStringLiteral("\r")).toUtf8());
        QDir(tmp.path()).mkdir(QStringLiteral("window"));
        QDir(tmp.path()).mkdir(QStringLiteral("tool"));

        InputsWindow w;
        w.form.Image_effet2_Click();  // outline
        w.form.Image3_Click();        // underline
        w.make_all(kLabels, tmp.filePath(QStringLiteral("window")));
        QVERIFY(w.platform.messages.isEmpty());

        QCOMPARE(run_tool({"--labels", list, "--out", tmp.filePath(QStringLiteral("tool")),
                           "--outline", "--underline", "--quiet"}),
                 0);
        compare_folders(tmp.filePath(QStringLiteral("window")),
                        tmp.filePath(QStringLiteral("tool")));
    }
};

QTEST_MAIN(TestInputsMatchesTool)
#include "test_inputs_matches_tool.moc"
