#pragma once
// A run's files checked before the first is written: a label that cannot name a file, or whose
// file is the background picture itself, stops the run with nothing written. Other existing files
// are replaced as usual: regenerating a set into the same folder is the normal use.
#include "core/io/result.h"

#include <QString>
#include <QStringList>

namespace qv {

// The first label, in list order, whose button (`directory`/label`extension`) could not be written
// or would replace the background picture at `background_path` (empty when there is none), with
// the reason worded for the user; ok when every label can be written. Failures only writing can
// show (a full disk, a permission) are left to the writing.
Result<void> check_output_plan(const QStringList& labels, const QString& directory,
                               const QString& background_path,
                               const QString& extension = QStringLiteral(".bmp"));

}  // namespace qv
