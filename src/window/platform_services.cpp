#include "window/platform_services.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStorageInfo>

#include <algorithm>
#include <cstdlib>

namespace qv {

std::optional<QString> DesktopPlatform::open_file(QWidget* parent, const QString& initial_dir,
                                                  const QString& pattern) {
    // The pattern may list several globs separated by ";", as "*.bmp;*.jpg;*.gif"; every file
    // is offered too, for files named otherwise.
    QString globs = pattern;
    globs.replace(QLatin1Char(';'), QLatin1Char(' '));
    const QString filters = QStringLiteral("Readable files (%1);;All files (*)").arg(globs);
    const QString chosen = QFileDialog::getOpenFileName(parent, QString(), initial_dir, filters);
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
}

std::optional<QString> DesktopPlatform::save_file(QWidget* parent, const QString& initial_dir,
                                                  const QString& filter) {
    QFileDialog dialog(parent, QString(), initial_dir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A bare name takes the filter's suffix inside the dialog, so that the question before
    // replacing a file is asked of the file that will be written.
    static const QRegularExpression pattern(QStringLiteral(R"(\*\.(\w+))"));
    if (const QRegularExpressionMatch m = pattern.match(filter); m.hasMatch())
        dialog.setDefaultSuffix(m.captured(1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}

QStringList DesktopPlatform::font_families() {
    return QFontDatabase::families();
}

QString DesktopPlatform::program_folder() {
    return QCoreApplication::applicationDirPath();
}

QString data_folder_beside(const QString& program_folder) {
    return QDir::cleanPath(program_folder + u'/' + QStringLiteral(QUORVANE_DATA_FROM_PROGRAM));
}

QString DesktopPlatform::data_folder() {
    return data_folder_beside(program_folder());
}

QString DesktopPlatform::pictures_folder() {
    // Qt reads the desktop's user-dirs.dirs under $XDG_CONFIG_HOME (or ~/.config) and falls back
    // to ~/Pictures itself; the fallback here is for a home it cannot tell.
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return pictures.isEmpty() ? QDir::homePath() + QStringLiteral("/Pictures") : pictures;
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
    // Messages name paths and labels, which are shown literally: "<i>Home</i>" is not italic.
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Quorvane"), text, QMessageBox::Ok,
                    parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void DesktopPlatform::end_program() {
    // Ends at once, also from inside the font catalogue's or a batch run's event processing, where
    // leaving the event loop would only take effect once they had finished.
    std::exit(0);
}

}  // namespace qv
