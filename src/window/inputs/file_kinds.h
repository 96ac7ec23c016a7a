#pragma once
// The kinds of file the window takes in, as the file dialogs offer them and drops are told apart.
#include <QString>
#include <QStringList>

namespace qv {

// The name suffixes of every picture format the program reads ("bmp", "jpeg", "png", ...), lower
// case and sorted: whatever the picture loader can decode.
QStringList picture_suffixes();

// The picture dialog's name pattern: every picture suffix as a glob, separated by ";".
QString picture_pattern();

// The text list dialog's name pattern.
inline QString text_list_pattern() {
    return QStringLiteral("*.txt");
}

}  // namespace qv
