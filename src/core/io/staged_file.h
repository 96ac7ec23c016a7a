#pragma once
// A file written in two steps: the bytes go to a file without a name (or, where the file system
// cannot make one, a hidden temporary file) in the final folder, and committing gives it the final
// name, replacing an earlier file of that name atomically. A batch stages buttons in parallel and
// names them in label order.
//
// The nameless file also keeps the costly part of creating a file, finding a free inode, out of
// the folder's lock, so that workers really create their files side by side; and a run that is
// killed leaves no temporary files behind, but for a replacement killed part way, which may leave
// the old or the new file under a hidden temporary name.
#include "core/io/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace qv {

// How a file is staged: without a name where the file system allows it, or always under a hidden
// temporary name (what file systems without nameless files get; tests ask for it to run that way).
enum class Staging { Nameless, Named };

// A staged file, owned by one holder at a time. Letting it go without committing discards it: the
// nameless file is closed, the temporary file removed.
class StagedFile {
  public:
    StagedFile() = default;  // holds nothing
    StagedFile(StagedFile&& other) noexcept;
    StagedFile& operator=(StagedFile&& other) noexcept;
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;
    ~StagedFile();

    const QString& final_path() const { return final_path_; }
    qint64 size() const { return size_; }  // the bytes staged

  private:
    friend Result<StagedFile> stage_file(const QString&, QByteArrayView, Staging);
    friend Result<void> commit_file(StagedFile&&);

    StagedFile(QString final_path, int fd, QByteArray temp_path);
    void discard() noexcept;

    QString final_path_;
    int fd_ = -1;           // the nameless file, open until it is committed or discarded
    QByteArray temp_path_;  // or the named temporary file, in the file system's encoding
    qint64 size_ = 0;
};

// Writes `bytes` to a new file in the folder of `final_path`. On failure nothing is left behind
// and the message names the final path and the reason.
Result<StagedFile> stage_file(const QString& final_path, QByteArrayView bytes,
                              Staging staging = Staging::Nameless);

// Removes from `folder` the hidden temporary files this program names (".quorvane-PID-N.tmp")
// whose process is gone, as a run killed before it could clean up leaves them; only regular
// files of exactly that name. Gives how many were removed.
int remove_stale_temporaries(const QString& folder);

// Gives the staged file its final name, replacing an earlier file of that name. Either way the
// staged file is used up.
Result<void> commit_file(StagedFile&& file);

}  // namespace qv
