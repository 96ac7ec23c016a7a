#pragma once
// A file written in two steps: the bytes go to a file without a name (or, where the file system
// cannot make one, a hidden temporary file) in the final folder, and committing gives it the final
// name, replacing an earlier file of that name atomically. A batch stages buttons in parallel and
// names them in label order.
//
// The nameless file also keeps the costly part of creating a file, finding a free inode, out of
// the folder's lock, so that workers really create their files side by side; and a run that is
// killed leaves no temporary files behind.
#include "core/io/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace qv {

struct StagedFile {
    QString final_path;
    int fd = -1;           // the nameless file, open until it is committed or discarded
    QByteArray temp_path;  // or the named temporary file, in the file system's encoding
};

// Writes `bytes` to a new file in the folder of `final_path`, nameless where the system allows
// it and `nameless` is set. On failure nothing is left behind and the message names the final
// path and the reason.
Result<StagedFile> stage_file(const QString& final_path, QByteArrayView bytes,
                              bool nameless = true);

// Gives the staged file its final name, replacing an earlier file of that name. Either way the
// staged file is released.
Result<void> commit_file(const StagedFile& file);

// Releases a staged file that will not be committed.
void discard_file(const StagedFile& file);

}  // namespace qv
