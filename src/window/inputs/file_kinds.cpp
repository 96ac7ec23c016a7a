#include "window/inputs/file_kinds.h"

#include <QImageReader>

namespace qv {

QStringList picture_suffixes() {
    QStringList suffixes;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        suffixes << QString::fromLatin1(format).toLower();
    suffixes.removeDuplicates();
    suffixes.sort();
    return suffixes;
}

QString picture_pattern() {
    QStringList globs;
    for (const QString& suffix : picture_suffixes()) globs << QStringLiteral("*.") + suffix;
    return globs.join(u';');
}

}  // namespace qv
