// The window finds its sample backgrounds and text list relative to the folder it runs from, so
// it works from the build tree and from an installed tree, wherever either lies.
#include "window/platform_services.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

class TestDataFolder : public QObject {
    Q_OBJECT

  private slots:
    void installed_tree_keeps_samples_under_share() {
        QCOMPARE(qv::data_folder_beside(QStringLiteral("/usr/bin")),
                 QStringLiteral("/usr/share/quorvane"));
        QCOMPARE(qv::data_folder_beside(QStringLiteral("/opt/q/./bin")),
                 QStringLiteral("/opt/q/share/quorvane"));
    }

    // The programs are built where the build tree keeps the staged samples beside them.
    void build_tree_has_the_samples_where_the_window_looks() {
        const QDir data(qv::data_folder_beside(QFileInfo(QStringLiteral(QUORVANE_BATCH)).path()));
        QVERIFY2(QFileInfo(data.filePath(QStringLiteral("buttons/steel.bmp"))).isFile(),
                 qPrintable(data.path()));
        QVERIFY(QFileInfo(data.filePath(QStringLiteral("samples/menu.txt"))).isFile());
    }
};

QTEST_GUILESS_MAIN(TestDataFolder)
#include "test_data_folder.moc"
