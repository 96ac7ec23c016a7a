#include "window/inputs/output_folder.h"

#include <QDir>
#include <QFileInfo>

namespace qv {

bool lies_in(const QString& path, const QString& folder) {
    const QString inner = QFileInfo(path).canonicalFilePath();
    QString outer = QFileInfo(folder).canonicalFilePath();
    if (inner.isEmpty() || outer.isEmpty()) return false;
    if (!outer.endsWith(u'/')) outer += u'/';  // the root already ends with it
    return inner.startsWith(outer);
}

QString pictures_output_folder(const QString& pictures) {
    return QDir::cleanPath(pictures) + QStringLiteral("/Quorvane/");
}

QString output_folder_for_picture(const QString& picture, const QString& data_folder,
                                  const QString& pictures) {
    if (lies_in(picture, data_folder)) return pictures_output_folder(pictures);
    // Labels append directly to the folder, so it keeps its trailing "/".
    const QString full = QFileInfo(picture).absoluteFilePath();
    return full.left(full.lastIndexOf(u'/') + 1);
}

}  // namespace qv
