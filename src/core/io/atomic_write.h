#pragma once
// Replacing a file so that anyone reading it sees the old file whole or the new one whole.
#include "core/io/result.h"

#include <QByteArrayView>
#include <QString>

namespace qv {

// Writes a temporary file beside `path` and renames it over `path`. On failure nothing at `path`
// has changed and the message names the path and the reason.
Result<void> write_file_atomically(const QString& path, QByteArrayView bytes);

}  // namespace qv
