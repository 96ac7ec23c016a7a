#pragma once
// A button file written in two steps: the bytes go to a file without a name (or, where the file
// system cannot make one, a hidden temporary file) in the final folder, and committing gives it
// the final name, replacing an earlier file of that name atomically. Workers stage in parallel;
// one committer names the files in label order.
//
// The nameless file also keeps the costly part of creating a file, finding a free inode, out of
// the folder's lock, so that workers really create their files side by side; and a run that is
// killed leaves no temporary files behind.
#include "io/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace qv::cli {

struct StagedFile {
    QString final_path;
    int fd = -1;           // the nameless file, open until it is committed or discarded
    QByteArray temp_path;  // or the named temporary file, in the file system's encoding
};

// A hidden name in the folder of `final_path`, unique within this process by `serial`. It ends in
// ".tmp", so it is never the name of a button.
QByteArray temp_path_for(const QString& final_path, qint64 serial);

// Writes `bytes` to a new file in the folder of `final_path`, nameless where the system allows
// it and `nameless` is set. On failure nothing is left behind and the message names the final
// path and the reason.
Result<StagedFile> stage_file(const QString& final_path, qint64 serial, QByteArrayView bytes,
                              bool nameless = true);

// Gives the staged file its final name, replacing an earlier file of that name. Either way the
// staged file is released.
Result<void> commit_file(const StagedFile& file, qint64 serial);

// Releases a staged file that will not be committed.
void discard_file(const StagedFile& file);

}  // namespace qv::cli
