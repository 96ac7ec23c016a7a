#pragma once
// Text lists: one label per line. A line ends at CR LF, at CR or at LF (CR LF is one end), so lists
// from Linux editors and from Windows read alike; a line end at the very end adds no empty label;
// spaces and empty lines are kept. A list saved as UTF-16 with its byte order mark is read as such.
#include "core/io/result.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace qv {

// One line's bytes as text: UTF-8 where they are valid UTF-8, otherwise Windows-1252.
QString decode_label(QByteArrayView line);

QStringList parse_text_list(QByteArrayView bytes);

// Reads a whole list file, or says why it could not be read (naming the path).
Result<QStringList> read_text_list(const QString& path);

}  // namespace qv
