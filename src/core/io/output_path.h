#pragma once
// Where a label's button goes: the output directory, "/" only where it does not already end with
// one, the label exactly as stored, the extension.
#include "core/io/result.h"

#include <QString>

namespace qv {

// Refuses an empty directory, and a label that would leave the directory (an absolute path or a
// ".." component). A label with "/" names a file in an existing subfolder.
Result<QString> output_path(const QString& directory, const QString& label,
                            const QString& extension = QStringLiteral(".bmp"));

}  // namespace qv
