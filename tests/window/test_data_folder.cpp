// The window finds its sample backgrounds and text list relative to the folder it runs from, so
// it works from the build tree and from an installed tree, wherever either lies.
#include "window/platform_services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
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

    // Sets made from those samples go to the desktop's pictures folder as user-dirs.dirs names
    // it, else to ~/Pictures.
    void pictures_folder_follows_the_desktop() {
        QTemporaryDir tmp;
        const QByteArray home = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(tmp.filePath(QStringLiteral("home"))));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(tmp.filePath(QStringLiteral("config"))));
        qv::DesktopPlatform desktop;
        QCOMPARE(desktop.pictures_folder(), tmp.filePath(QStringLiteral("home/Pictures")));
        QDir().mkpath(tmp.filePath(QStringLiteral("config")));
        QFile dirs(tmp.filePath(QStringLiteral("config/user-dirs.dirs")));
        QVERIFY(dirs.open(QIODevice::WriteOnly));
        dirs.write("XDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
        dirs.close();
        QCOMPARE(desktop.pictures_folder(), tmp.filePath(QStringLiteral("home/Bilder")));
        qputenv("HOME", home);
        if (config.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", config);
    }
};

QTEST_GUILESS_MAIN(TestDataFolder)
#include "test_data_folder.moc"
