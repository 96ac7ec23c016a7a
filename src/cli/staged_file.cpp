#include "cli/staged_file.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace qv::cli {
namespace {

Failure cannot_write(const QString& path, int error) {
    return Failure{QStringLiteral("cannot write %1: %2")
                       .arg(path, QString::fromLocal8Bit(std::strerror(error)))};
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
        p += n;
        left -= n;
    }
    return true;
}

}  // namespace

QByteArray temp_path_for(const QString& final_path, qint64 serial) {
    const QByteArray encoded = QFile::encodeName(final_path);
    const qsizetype slash = encoded.lastIndexOf('/');
    // Hidden, ends in ".tmp": never the name of a button, which ends in ".bmp" or ".png".
    return encoded.left(slash + 1) + ".quorvane-batch-" + QByteArray::number(::getpid()) + '-' +
           QByteArray::number(serial) + ".tmp";
}

Result<StagedFile> stage_file(const QString& final_path, qint64 serial, QByteArrayView bytes) {
    StagedFile file{final_path, temp_path_for(final_path, serial)};
    int fd = ::open(file.temp_path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) {
        // Left behind by an earlier run that was killed and had the same process id.
        ::unlink(file.temp_path.constData());
        fd = ::open(file.temp_path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    }
    if (fd < 0) return cannot_write(final_path, errno);
    const bool written = write_all(fd, bytes);
    const int write_error = errno;
    if (::close(fd) != 0 && written) {
        const int close_error = errno;
        ::unlink(file.temp_path.constData());
        return cannot_write(final_path, close_error);
    }
    if (!written) {
        ::unlink(file.temp_path.constData());
        return cannot_write(final_path, write_error);
    }
    return file;
}

Result<void> commit_file(const StagedFile& file) {
    if (std::rename(file.temp_path.constData(), QFile::encodeName(file.final_path).constData()) ==
        0)
        return {};
    const int error = errno;
    discard_file(file);
    return cannot_write(file.final_path, error);
}

void discard_file(const StagedFile& file) { ::unlink(file.temp_path.constData()); }

}  // namespace qv::cli
