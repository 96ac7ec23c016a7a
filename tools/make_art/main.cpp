// quorvane-make-art: draws the skins, window pictures, icon, pointer and samples from the layout
// table and writes them into the source tree (or into --out DIR). With --check it compares a
// fresh drawing against the files in the tree and lists what has drifted.
#include "art_set.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);  // pictures only: no display needed
    QString root = QStringLiteral(QUORVANE_SOURCE_DIR);
    QString zoom_dir;
    bool check = false;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--out") && i + 1 < args.size()) {
            root = args[++i];
        } else if (args[i] == QLatin1String("--zoom") && i + 1 < args.size()) {
            zoom_dir = args[++i];  // 3x enlarged copies of the pictures, for looking at them
        } else if (args[i] == QLatin1String("--check")) {
            check = true;
        } else {
            std::fprintf(stderr, "usage: quorvane-make-art [--out DIR] [--check] [--zoom DIR]\n");
            return 2;
        }
    }
    const std::vector<qv::art::Output> outputs = qv::art::render_all();
    QTemporaryDir scratch;
    const QString target = check ? scratch.path() : root;
    QString error;
    if (!qv::art::write_all(outputs, target, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    if (!zoom_dir.isEmpty()) {
        QDir().mkpath(zoom_dir);
        for (const qv::art::Output& output : outputs) {
            if (output.image.isNull()) continue;
            const QImage big =
                output.image.convertToFormat(QImage::Format_ARGB32)
                    .scaled(output.image.size() * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation);
            big.save(QDir(zoom_dir).filePath(QFileInfo(output.path).completeBaseName() + ".png"));
        }
    }
    int drifted = 0;
    for (const qv::art::Output& output : outputs) {
        if (!check) {
            std::printf("wrote %s\n", qPrintable(QDir(root).filePath(output.path)));
            continue;
        }
        const QString why = qv::art::difference(QDir(root).filePath(output.path),
                                                QDir(target).filePath(output.path));
        if (!why.isEmpty()) {
            ++drifted;
            std::printf("%s: %s\n", qPrintable(output.path), qPrintable(why));
        }
    }
    return drifted == 0 ? 0 : 1;
}
