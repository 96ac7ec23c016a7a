// "Make all buttons" checks every label before its first file: a label whose file is the loaded
// background picture, or that cannot name a file, writes nothing, and the window says so in the
// words quorvane-batch uses for the same list.
#include "test_inputs_support.h"

#include <QProcess>
#include <QTemporaryDir>

namespace {

// The tool's complaint about `labels` written beside `picture`, without its program name.
QString tool_message(const QString& list, const QString& out, const QString& picture) {
    QProcess tool;
    tool.start(QStringLiteral(QUORVANE_BATCH),
               {"--labels", list, "--out", out, "--background", picture});
    if (!tool.waitForFinished(30000) || tool.exitCode() != 2) return {};
    return QString::fromUtf8(tool.readAllStandardError())
        .remove(QStringLiteral("quorvane-batch: "))
        .trimmed();
}

QByteArray bytes_of(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TestInputsPrecheck : public QObject {
    Q_OBJECT

  private slots:
    void aBadLabelWritesNothingAndIsNamedAsTheToolNamesIt() {
        QTemporaryDir tmp;
        const QString folder = tmp.filePath(QStringLiteral("art"));
        const QString picture = write_picture(folder, QStringLiteral("steel.bmp"), {120, 30});
        const QByteArray picture_bytes = bytes_of(picture);
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
            QCOMPARE(files_in(folder), (QStringList{"Home.bmp", "steel.bmp"}));
            QCOMPARE(bytes_of(old_home), QByteArray("old"));
            QCOMPARE(bytes_of(picture), picture_bytes);
            QCOMPARE(w.selected_row(), -1);
        }

        // Any other existing file is replaced: regenerating a set is the normal use.
        InputsWindow w;
        w.load_picture(picture);
        w.make_all({"Home"}, w.form.output_directory);
        QVERIFY(w.platform.messages.isEmpty());
        QCOMPARE(read_back(old_home), w.preview());
    }
};

QTEST_MAIN(TestInputsPrecheck)
#include "test_inputs_precheck.moc"
