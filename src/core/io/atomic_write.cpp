#include "core/io/atomic_write.h"

#include "core/io/staged_file.h"

#include <utility>

// No fsync: a crash may lose the newest buttons, but a reader never sees a half-written file, and
// syncing every small button would cut the batch to a few hundred files a second.

namespace qv {

Result<void> write_file_atomically(const QString& path, QByteArrayView bytes) {
    Result<StagedFile> staged = stage_file(path, bytes);
    if (!staged) return Failure{staged.error()};
    return commit_file(std::move(*staged));
}

}  // namespace qv
