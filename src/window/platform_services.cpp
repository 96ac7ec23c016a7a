#include "window/platform_services.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QMessageBox>
#include <QStorageInfo>

#include <algorithm>
#include <cstdlib>

namespace qv {

std::optional<QString> DesktopPlatform::open_file(QWidget* parent, const QString& initial_dir,
                                                  const QString& pattern) {
    // The pattern may list several globs separated by ";", as "*.bmp;*.jpg;*.gif".
    QString filter = pattern;
    filter.replace(QLatin1Char(';'), QLatin1Char(' '));
    const QString chosen = QFileDialog::getOpenFileName(parent, QString(), initial_dir,
                                                        filter + QStringLiteral(";;*"));
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
}

QStringList DesktopPlatform::font_families() {
    return QFontDatabase::families();
}

QString DesktopPlatform::program_folder() {
    return QCoreApplication::applicationDirPath();
}

QString DesktopPlatform::data_folder() {
    return QStringLiteral(QUORVANE_SOURCE_DIR);
}

QStringList DesktopPlatform::mounted_volumes() {
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady()) roots << volume.rootPath();
    roots.removeDuplicates();
    std::sort(roots.begin(), roots.end());
    roots.removeAll(QStringLiteral("/"));
    roots.prepend(QStringLiteral("/"));
    return roots;
}

void DesktopPlatform::run_modal(QDialog& dialog) {
    dialog.exec();
}

void DesktopPlatform::show_message(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, QStringLiteral("Quorvane"), text);
}

void DesktopPlatform::end_program() {
    // Ends at once, also from inside the font catalogue's or a batch run's event processing, where
    // leaving the event loop would only take effect once they had finished.
    std::exit(0);
}

}  // namespace qv
