#pragma once
// A file written in two steps: the bytes go to a file without a name (or, where the file system
// cannot make one, a hidden temporary file) in the final folder, and committing gives it the final
// name, replacing an earlier file of that name atomically. A batch stages buttons in parallel and
// names them in label order.
//
// The nameless file also keeps the costly part of creating a file, finding a free inode, out of
// the folder's lock, so that workers really create their files side by side; and a run that is
// killed leaves no temporary files behind, but for a replacement killed part way, which may leave
// the old or the new file under a hidden temporary name, and the old files a FileRecycler holds.
#include "core/io/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <mutex>
#include <vector>

namespace qv {

// How a file is staged: without a name where the file system allows it, or always under a hidden
// temporary name (what file systems without nameless files get; tests ask for it to run that way).
enum class Staging { Nameless, Named };

class FileRecycler;

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
    friend Result<StagedFile> stage_file(const QString&, QByteArrayView, Staging, FileRecycler*);
    friend Result<void> commit_file(StagedFile&&, FileRecycler*);

    StagedFile(QString final_path, int fd, QByteArray temp_path);
    void discard() noexcept;

    QString final_path_;
    // The file, open until it is committed or discarded: nameless, or a recycled one that has a
    // temporary name too. A file staged by name alone is closed already.
    int fd_ = -1;
    QByteArray temp_path_;  // the hidden temporary name, in the file system's encoding
    qint64 size_ = 0;
};

// The old files that replacing buttons swaps out, kept to be written over by the next buttons
// of the same folder instead of being freed while new files are made: the buttons of one picture
// are one size, so the file system then neither frees nor finds blocks and an inode for each
// (on ext4 with discard, freeing them costs more than writing the button). A file is kept only
// when no one else can see it change: a plain file of ours with no other name, the attributes a
// new file gets here and no extended attributes, and it is written only while the file system
// grants a write lease, which it does only when no other process has the file open. Whenever a
// file does not qualify it is removed, as without a recycler. Kept files have hidden temporary
// names, so a run killed meanwhile leaves only what remove_stale_temporaries() removes.
// Shared by the threads of one run; letting it go removes the files it still holds.
class FileRecycler {
  public:
    FileRecycler() = default;
    FileRecycler(const FileRecycler&) = delete;
    FileRecycler& operator=(const FileRecycler&) = delete;
    ~FileRecycler();

  private:
    friend struct RecyclerAccess;

    struct Kept {
        int fd = -1;                // open for writing; no lease held
        QByteArray temp_path;       // where it lies
        qsizetype folder_size = 0;  // of temp_path's folder part, with its slash
    };

    std::mutex mutex_;
    std::vector<Kept> kept_;
    bool no_leases_ = false;  // then nothing is kept
};

// Writes `bytes` to a new file in the folder of `final_path`, or over a file `recycler` kept
// there. On failure nothing is left behind and the message names the final path and the reason.
Result<StagedFile> stage_file(const QString& final_path, QByteArrayView bytes,
                              Staging staging = Staging::Nameless,
                              FileRecycler* recycler = nullptr);

// Removes from `folder` the hidden temporary files this program names (".quorvane-PID-N.tmp")
// whose process is gone, as a run killed before it could clean up leaves them; only regular
// files of exactly that name. Gives how many were removed.
int remove_stale_temporaries(const QString& folder);

// Gives the staged file its final name, replacing an earlier file of that name, which `recycler`
// keeps when it may. Either way the staged file is used up.
Result<void> commit_file(StagedFile&& file, FileRecycler* recycler = nullptr);

}  // namespace qv
