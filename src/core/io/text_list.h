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

// The largest list read: more is refused rather than taken in part or read until memory runs out
// (a list that is /dev/zero). Far beyond any set of buttons.
inline constexpr qsizetype kMaxTextListBytes = qsizetype(64) << 20;
inline constexpr qsizetype kMaxTextListLabels = 2'000'000;

// Reads a whole list file, or says why it could not be read (naming the path).
Result<QStringList> read_text_list(const QString& path);

// Reads a whole list from the open descriptor `fd` (left open); `name` says where it comes from
// in the failure.
Result<QStringList> read_text_list(int fd, const QString& name);

}  // namespace qv
