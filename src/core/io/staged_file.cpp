#include "core/io/staged_file.h"

#include "core/io/message_text.h"
#include "core/io/sys_error.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/xattr.h>
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

// The recycler's inside, for the staging and committing below.
struct RecyclerAccess {
    using Kept = FileRecycler::Kept;

    // Enough for the files that several workers stage ahead; past that the old files of a
    // folder that no button is staged in would only pile up.
    static constexpr size_t kMostKept = 64;

    static Kept take(FileRecycler& recycler, QByteArrayView folder) {
        std::lock_guard lock(recycler.mutex_);
        auto& kept = recycler.kept_;
        for (auto it = kept.rbegin(); it != kept.rend(); ++it) {
            if (QByteArrayView(it->temp_path).first(it->folder_size) != folder) continue;
            std::swap(*it, kept.back());
            Kept file = std::move(kept.back());
            kept.pop_back();
            return file;
        }
        return {};
    }

    static bool keep(FileRecycler& recycler, Kept&& file) {
        std::lock_guard lock(recycler.mutex_);
        if (recycler.no_leases_ || recycler.kept_.size() >= kMostKept) return false;
        recycler.kept_.push_back(std::move(file));
        return true;
    }

    // The file system grants no leases (or they are turned off): keeping files would only cost.
    static void stop_keeping(FileRecycler& recycler) {
        std::lock_guard lock(recycler.mutex_);
        recycler.no_leases_ = true;
    }
};

FileRecycler::~FileRecycler() {
    for (const Kept& file : kept_) {
        ::close(file.fd);
        ::unlink(file.temp_path.constData());
    }
}

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

bool pwrite_all(int fd, QByteArrayView bytes) {
    const char* p = bytes.data();
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, p + done, static_cast<size_t>(bytes.size() - done), done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return false;
        done += n;
    }
    return true;
}

QByteArrayView folder_of(const QByteArray& encoded_path) {
    return QByteArrayView(encoded_path).first(encoded_path.lastIndexOf('/') + 1);
}

// After a swap put the old file at `temp` (`old` describes it as it was at `target`), keeps it
// for another button of the folder when nobody else can see that: a plain file of ours with no
// other name, with the mode, group and (no) extended attributes of the new file now at
// `target`, so a button written into it is what a new file would be. Whether another process
// has it open is asked when it is written over.
bool recycle(FileRecycler& recycler, const QByteArray& temp, const struct stat& old, int new_fd,
             const QByteArray& target) {
    if (old.st_nlink != 1) return false;
    struct stat fresh {};  // made by this program, so owned by it
    if ((new_fd >= 0 ? ::fstat(new_fd, &fresh) : ::lstat(target.constData(), &fresh)) != 0 ||
        fresh.st_mode != old.st_mode || fresh.st_gid != old.st_gid || fresh.st_uid != old.st_uid)
        return false;
    const ssize_t fresh_attributes = new_fd >= 0 ? ::flistxattr(new_fd, nullptr, 0)
                                                 : ::llistxattr(target.constData(), nullptr, 0);
    if (fresh_attributes != 0) return false;
    // Not blocking: a file another program holds a lease on is not waited for.
    const int fd =
        ::open(temp.constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    // A lease broken while it is written over (someone opening the file) is told by a signal,
    // SIGIO unless set otherwise, which would end the program; SIGURG is ignored unless handled.
    const bool ours = ::fstat(fd, &info) == 0 && info.st_dev == old.st_dev &&
                      info.st_ino == old.st_ino && info.st_nlink == 1 &&
                      ::flistxattr(fd, nullptr, 0) == 0 && ::fcntl(fd, F_SETSIG, SIGURG) == 0;
    if (ours && RecyclerAccess::keep(recycler, {fd, temp, folder_of(temp).size()})) return true;
    ::close(fd);
    return false;
}

// Writes `bytes` over a kept file, holding a write lease meanwhile: the file system grants it
// only when no other process has the file open, and makes anyone opening it wait until it is
// released, so nobody sees the file change. Anything but Written: the caller removes the file.
enum class Overwrite { Written, Failed, NoLeases };
Overwrite write_over(int fd, QByteArrayView bytes) {
    if (::fcntl(fd, F_SETLEASE, F_WRLCK) != 0)  // EAGAIN: open elsewhere
        return errno == EAGAIN ? Overwrite::Failed : Overwrite::NoLeases;
    struct stat info {};
    // A name given to it since it was kept would see the new button.
    bool ok = ::fstat(fd, &info) == 0 && info.st_nlink == 1 && pwrite_all(fd, bytes) &&
              (info.st_size <= bytes.size() || ::ftruncate(fd, bytes.size()) == 0);
    // Let go before the file is named: nobody waits on a button in place.
    ok = ::fcntl(fd, F_SETLEASE, F_UNLCK) == 0 && ok;
    return ok ? Overwrite::Written : Overwrite::Failed;
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
// removed (or kept by `recycler` for another button) rather than renamed over: a reader sees the
// old file or the new one either way, but a rename over an existing file makes ext4 start writing
// the new file's data out there and then, which for a small button costs several times its writing
// (the kernel's guard for programs that rewrite a file without fsync). No durability is promised
// either way: a crash soon after a run may leave its newest buttons empty, replaced ones as new
// ones, and a button written into a recycled file may then show that file's old bytes, whole or
// in part (its data is written out after the names have changed).
int replace_with(const QByteArray& temp, const QByteArray& target, int new_fd,
                 FileRecycler* recycler) {
    struct stat info;
    if (::lstat(target.constData(), &info) == 0 && S_ISREG(info.st_mode) &&
        ::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, target.constData(), RENAME_EXCHANGE) ==
            0) {
        if (recycler && recycle(*recycler, temp, info, new_fd, target)) return 0;
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
    if (fd_ >= 0) ::close(fd_);
    if (!temp_path_.isEmpty()) ::unlink(temp_path_.constData());
    fd_ = -1;
    temp_path_.clear();
}

Result<StagedFile> stage_file(const QString& final_path, QByteArrayView bytes, Staging staging,
                              FileRecycler* recycler) {
    if (recycler) {
        const QByteArray encoded = QFile::encodeName(final_path);
        RecyclerAccess::Kept kept = RecyclerAccess::take(*recycler, folder_of(encoded));
        if (kept.fd >= 0) {
            const Overwrite done = write_over(kept.fd, bytes);
            if (done == Overwrite::Written) {
                StagedFile file(final_path, kept.fd, std::move(kept.temp_path));
                file.size_ = bytes.size();
                return file;
            }
            if (done == Overwrite::NoLeases) RecyclerAccess::stop_keeping(*recycler);
            ::close(kept.fd);
            ::unlink(kept.temp_path.constData());
        }
    }
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

Result<void> commit_file(StagedFile&& staged, FileRecycler* recycler) {
    StagedFile file = std::move(staged);  // discarded on the way out unless named here
    const QByteArray target = QFile::encodeName(file.final_path_);
    if (!file.temp_path_.isEmpty()) {
        if (replace_with(file.temp_path_, target, file.fd_, recycler) != 0)
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
        if (result == 0 && (result = replace_with(temp, target, file.fd_, recycler)) != 0) {
            const int error = errno;
            ::unlink(temp.constData());
            errno = error;
        }
    }
    if (result != 0) return cannot_write(file.final_path_, errno);
    return {};
}

}  // namespace qv
