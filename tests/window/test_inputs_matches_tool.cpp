// The window's "make all buttons" and quorvane-batch write the same bytes for the same picture,
// labels and style: they share the composer, the path rules and the writer, and this keeps them so.
#include "test_inputs_support.h"

#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>

#include <functional>

namespace {

const QStringList kLabels{QStringLiteral("Home"), QStringLiteral("  Contact us"), QString(),
                          QStringLiteral("Café"), QStringLiteral("Home")};

// Writes kLabels with the window, styled by `style`, and with the tool, given `args`, and
// compares what they wrote: same names, same bytes. The list file ends its lines with `line_end`.
void make_with_both(const QString& line_end, const std::function<void(InputsWindow&)>& style,
                    QStringList args) {
    QTemporaryDir tmp;
    const QString window = tmp.filePath(QStringLiteral("window"));
    const QString tool = tmp.filePath(QStringLiteral("tool"));
    QVERIFY(QDir().mkpath(window) && QDir().mkpath(tool));
    const QString list =
        write_bytes(tmp.filePath(QStringLiteral("labels.txt")), kLabels.join(line_end).toUtf8());

    InputsWindow w;
    style(w);
    w.make_all(kLabels, window);
    QVERIFY(w.platform.messages.isEmpty());

    QProcess run;
    run.start(QStringLiteral(QUORVANE_BATCH),
              args << "--labels" << list << "--out" << tool << "--quiet");
    QVERIFY(run.waitForFinished(30000));
    QCOMPARE(run.exitStatus(), QProcess::NormalExit);
    QCOMPARE(run.exitCode(), 0);

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
        QTemporaryDir art;
        const QString picture = write_picture(art.path(), QStringLiteral("back.bmp"), {150, 56});
        const auto style = [&](InputsWindow& w) {
            Form_Main& f = w.form;
            f.List_Typo->findItems(QStringLiteral("DejaVu Sans"), Qt::MatchExactly)
                .first()
                ->setSelected(true);
            f.Image_sizeplus_Click();
            f.Image_sizeplus_Click();
            f.Image4_Click();        // bold
            f.Image_effet1_Click();  // shadow
            f.Image_effet3_Click();  // 3D
            f.Text_R->setText(QStringLiteral("200"));
            f.Text_G->setText(QStringLiteral("120.5"));
            f.Text_B->setText(QStringLiteral("30"));
            f.Image_right_Click();
            for (int i = 0; i < 3; ++i) f.Image_rightplus_Click();
            // Loaded last, so that the text line is centred with the label font the tool uses.
            w.load_picture(picture);
        };
        make_with_both(QStringLiteral("\r\n"), style,
                       {"--background", picture, "--font", "DejaVu Sans", "--size", "12", "--bold",
                        "--shadow", "--3d", "--color", "200,120.5,30", "--align", "right",
                        "--margin-right", "3", "--jobs", "2"});
    }

    void plainButtonsBeforeAnyPicture() {
        const auto style = [](InputsWindow& w) {
            w.form.Image_effet2_Click();  // outline
            w.form.Image3_Click();        // underline
        };
        make_with_both(QStringLiteral("\r"), style, {"--outline", "--underline"});
    }
};

QTEST_MAIN(TestInputsMatchesTool)
#include "test_inputs_matches_tool.moc"
