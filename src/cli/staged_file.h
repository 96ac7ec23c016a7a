#pragma once
// A button file written in two steps: the bytes go to a hidden temporary file beside the final
// path (so the rename stays within one directory and is atomic), and committing renames it over
// the final path. Workers stage in parallel; one committer renames in label order.
#include "io/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace qv::cli {

struct StagedFile {
    QString final_path;
    QByteArray temp_path;  // in the file system's encoding, ready for the system calls
};

// The temporary name for the `serial`-th file of this process, in the folder of `final_path`.
QByteArray temp_path_for(const QString& final_path, qint64 serial);

// Writes `bytes` to the temporary file with plain open/write/close. On failure nothing is left
// behind and the message names the final path and the reason.
Result<StagedFile> stage_file(const QString& final_path, qint64 serial, QByteArrayView bytes);

// Renames the temporary file over the final path, replacing an earlier file of that name.
Result<void> commit_file(const StagedFile& file);

// Removes the temporary file of a button that will not be committed.
void discard_file(const StagedFile& file);

}  // namespace qv::cli
