#include "io/atomic_write.h"

#include "io/message_text.h"
#include "io/sys_error.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>

// No fsync: a crash may lose the newest buttons, but a reader never sees a half-written file, and
// syncing every small button would cut the batch to a few hundred files a second.

namespace qv {
namespace {

std::atomic<unsigned long> g_temp_counter{0};
// Read once: getpid() is a system call on every use. A forked child that keeps the parent's
// number still cannot collide, as the temporary file is created exclusively and retried.
const long g_pid = long(::getpid());

// ".<name>.<pid>.<n>.tmp" beside the target, hidden and recognisable; ".<pid>.<n>.tmp" when the
// target's name is too long to carry along.
QByteArray temp_name(const QByteArray& dir, const QByteArray& name, bool short_form) {
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, "%ld.%lu.tmp", g_pid,
                  g_temp_counter.fetch_add(1, std::memory_order_relaxed));
    QByteArray result = dir;
    result += '.';
    if (!short_form) {
        result += name;
        result += '.';
    }
    result += suffix;
    return result;
}

bool write_all(int fd, const char* data, qsizetype size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

// Creates a new temporary file beside the target; -1 with errno set on failure.
int create_temp(const QByteArray& dir, const QByteArray& name, QByteArray& temp) {
    bool short_form = false;
    for (int attempt = 0; attempt < 8; ++attempt) {
        temp = temp_name(dir, name, short_form);
        if (!short_form && temp.size() - dir.size() > NAME_MAX) {
            short_form = true;
            temp = temp_name(dir, name, short_form);
        }
        const int fd = ::open(temp.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        if (errno == ENAMETOOLONG && !short_form) {
            short_form = true;  // this file system allows shorter names than NAME_MAX
        } else if (errno != EEXIST && errno != EINTR) {
            return -1;
        }
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

Result<void> write_file_atomically(const QString& path, QByteArrayView bytes) {
    const QByteArray target = QFile::encodeName(path);
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray dir = target.left(slash + 1);
    const QByteArray name = target.mid(slash + 1);
    const auto failure = [&path](int error) {
        return Failure{QStringLiteral("Cannot write %1: %2").arg(shown_in_message(path), system_error_text(error))};
    };

    QByteArray temp;
    const int fd = create_temp(dir, name, temp);
    if (fd < 0) return failure(errno);

    bool ok = write_all(fd, bytes.data(), bytes.size());
    int error = ok ? 0 : errno;
    // close() is never retried: on Linux the descriptor is released even when it reports EINTR.
    if (::close(fd) != 0 && errno != EINTR && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temp.constData(), target.constData()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temp.constData());
        return failure(error);
    }
    return {};
}

}  // namespace qv
