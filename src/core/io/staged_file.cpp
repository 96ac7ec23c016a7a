#include "core/io/staged_file.h"

#include "core/io/message_text.h"
#include "core/io/sys_error.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

namespace qv {
namespace {

Failure cannot_write(const QString& path, int error) {
    return Failure{QStringLiteral("Cannot write %1: %2")
                       .arg(shown_in_message(path), system_error_text(error))};
}

bool write_all(int fd, QByteArrayView bytes) {
    const char* p = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {  // no progress and no error: give up rather than spin
            errno = EIO;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

// A nameless file is named through /proc (linkat with AT_EMPTY_PATH would need a privilege).
bool can_name_nameless_files() {
    static const bool ok = [] {
        struct stat info;
        return ::stat("/proc/self/fd", &info) == 0 && S_ISDIR(info.st_mode);
    }();
    return ok;
}

QByteArray proc_path(int fd) {
    return "/proc/self/fd/" + QByteArray::number(fd);
}

// A hidden name in the folder of `final_path`, unique within this process. It ends in ".tmp", so it
// is never the name of a button, and it is short, so a target name near the file system's limit
// still has room for it.
QByteArray temp_path_for(const QString& final_path) {
    static std::atomic<qint64> serial{0};
    static const QByteArray pid = QByteArray::number(::getpid());
    const QByteArray encoded = QFile::encodeName(final_path);
    const qsizetype slash = encoded.lastIndexOf('/');
    return encoded.left(slash + 1) + ".quorvane-" + pid + '-' +
           QByteArray::number(serial.fetch_add(1, std::memory_order_relaxed)) + ".tmp";
}

// Gives the file at `temp` the name `target` (both in one folder), replacing the file there as
// rename() does; 0 or -1 with errno. An existing button is swapped with the new one and then
// removed rather than renamed over: a reader sees the old file or the new one either way, but a
// rename over an existing file makes ext4 start writing the new file's data out there and then,
// which for a small button costs several times its writing (the kernel's guard for programs that
// rewrite a file without fsync). No durability is promised either way: a crash soon after a run
// may leave its newest buttons empty, replaced ones as new ones.
int replace_with(const QByteArray& temp, const QByteArray& target) {
    struct stat info;
    if (::lstat(target.constData(), &info) == 0 && S_ISREG(info.st_mode) &&
        ::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, target.constData(), RENAME_EXCHANGE) ==
            0) {
        if (::unlink(temp.constData()) == 0) return 0;
        // The old file cannot go (it changed under us): put it back and rename as usual, unless
        // that fails too, and then the new file at least stays in place.
        if (::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, target.constData(),
                        RENAME_EXCHANGE) != 0)
            return 0;
    }
    // No file there, not a plain file, or a file system that cannot swap names.
    return std::rename(temp.constData(), target.constData());
}

// Writes `bytes` to a new hidden file beside `final_path` and gives its name.
Result<QByteArray> write_named(const QString& final_path, QByteArrayView bytes) {
    const QByteArray temp_path = temp_path_for(final_path);
    int fd = ::open(temp_path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) {
        // Left behind by an earlier run that was killed and had the same process id.
        ::unlink(temp_path.constData());
        fd = ::open(temp_path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    }
    if (fd < 0) return cannot_write(final_path, errno);
    const bool written = write_all(fd, bytes);
    const int error = written ? 0 : errno;
    const bool closed = ::close(fd) == 0 || errno == EINTR;
    if (!written || !closed) {
        const int reason = written ? errno : error;
        ::unlink(temp_path.constData());
        return cannot_write(final_path, reason);
    }
    return temp_path;
}

}  // namespace

StagedFile::StagedFile(QString final_path, int fd, QByteArray temp_path)
    : final_path_(std::move(final_path)), fd_(fd), temp_path_(std::move(temp_path)) {}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : final_path_(std::move(other.final_path_)),
      fd_(std::exchange(other.fd_, -1)),
      temp_path_(std::move(other.temp_path_)),
      size_(other.size_) {
    other.temp_path_.clear();
}

StagedFile& StagedFile::operator=(StagedFile&& other) noexcept {
    if (this != &other) {
        discard();
        final_path_ = std::move(other.final_path_);
        fd_ = std::exchange(other.fd_, -1);
        temp_path_ = std::move(other.temp_path_);
        size_ = other.size_;
        other.temp_path_.clear();
    }
    return *this;
}

StagedFile::~StagedFile() {
    discard();
}

void StagedFile::discard() noexcept {
    if (fd_ >= 0)
        ::close(fd_);
    else if (!temp_path_.isEmpty())
        ::unlink(temp_path_.constData());
    fd_ = -1;
    temp_path_.clear();
}

Result<StagedFile> stage_file(const QString& final_path, QByteArrayView bytes, Staging staging) {
    if (staging == Staging::Named || !can_name_nameless_files()) {
        Result<QByteArray> temp = write_named(final_path, bytes);
        if (!temp) return Failure{temp.error()};
        StagedFile file(final_path, -1, std::move(*temp));
        file.size_ = bytes.size();
        return file;
    }
    const QByteArray encoded = QFile::encodeName(final_path);
    const QByteArray folder = encoded.left(encoded.lastIndexOf('/') + 1);
    const int fd =
        ::open(folder.isEmpty() ? "." : folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0) {
        // File systems without nameless files say so in one of these ways.
        if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)
            return stage_file(final_path, bytes, Staging::Named);
        return cannot_write(final_path, errno);
    }
    if (!write_all(fd, bytes)) {
        const int error = errno;
        ::close(fd);
        return cannot_write(final_path, error);
    }
    StagedFile file(final_path, fd, {});
    file.size_ = bytes.size();
    return file;
}

int remove_stale_temporaries(const QString& folder) {
    const int dir_fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir_fd < 0) return 0;
    DIR* dir = ::fdopendir(dir_fd);
    if (!dir) {
        ::close(dir_fd);
        return 0;
    }
    const pid_t own = ::getpid();
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        // ".quorvane-" digits "-" digits ".tmp", nothing else.
        static constexpr std::string_view kStart = ".quorvane-", kEnd = ".tmp";
        const std::string_view name(entry->d_name);
        if (!name.starts_with(kStart) || !name.ends_with(kEnd)) continue;
        const std::string_view middle =
            name.substr(kStart.size(), name.size() - kStart.size() - kEnd.size());
        const size_t dash = middle.find('-');
        const auto digits = [](std::string_view s) {
            return !s.empty() && s.size() <= 18 &&
                   std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
        };
        if (dash == std::string_view::npos || !digits(middle.substr(0, dash)) ||
            !digits(middle.substr(dash + 1)))
            continue;
        const long long pid = std::stoll(std::string(middle.substr(0, dash)));
        if (pid <= 0 || pid == own || pid > std::numeric_limits<pid_t>::max()) continue;
        if (::kill(pid_t(pid), 0) == 0 || errno != ESRCH) continue;  // alive, or not ours to ask
        struct stat st {};
        if (::fstatat(dir_fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (::unlinkat(dir_fd, entry->d_name, 0) == 0) ++removed;
    }
    ::closedir(dir);
    return removed;
}

Result<void> commit_file(StagedFile&& staged) {
    StagedFile file = std::move(staged);  // discarded on the way out unless named here
    const QByteArray target = QFile::encodeName(file.final_path_);
    if (file.fd_ < 0) {
        if (replace_with(file.temp_path_, target) != 0)
            return cannot_write(file.final_path_, errno);
        file.temp_path_.clear();  // it is the final file now
        return {};
    }
    const QByteArray source = proc_path(file.fd_);
    int result =
        ::linkat(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), AT_SYMLINK_FOLLOW);
    if (result != 0 && errno == EEXIST) {
        // A file of that name exists (an earlier run, or an equal label before this one): name
        // the new file beside it and put it in the old one's place, so the replacement is atomic.
        const QByteArray temp = temp_path_for(file.final_path_);
        result =
            ::linkat(AT_FDCWD, source.constData(), AT_FDCWD, temp.constData(), AT_SYMLINK_FOLLOW);
        if (result != 0 && errno == EEXIST) {
            // Left behind by an earlier run that was killed and had the same process id.
            ::unlink(temp.constData());
            result = ::linkat(AT_FDCWD, source.constData(), AT_FDCWD, temp.constData(),
                              AT_SYMLINK_FOLLOW);
        }
        if (result == 0 && (result = replace_with(temp, target)) != 0) {
            const int error = errno;
            ::unlink(temp.constData());
            errno = error;
        }
    }
    if (result != 0) return cannot_write(file.final_path_, errno);
    return {};
}

}  // namespace qv
