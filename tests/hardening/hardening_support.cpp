#include "hardening_support.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>

std::ostream& operator<<(std::ostream& os, const QString& text) {
    return os << '"' << text.left(300).toStdString() << (text.size() > 300 ? "...\"" : "\"");
}

namespace hardening {
namespace {

constexpr rlim_t kFileSizeLimit = 16 * 1024;

}  // namespace

TightFolder::TightFolder(Limit wanted) : limit_(wanted) {
    if (!dir_.isValid()) {
        unavailable_ = QStringLiteral("no temporary folder");
        return;
    }
    if (limit_ == Limit::Tmpfs) {
        const QByteArray where = QFile::encodeName(dir_.path());
        if (::mount("tmpfs", where.constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                    "size=96k,mode=0700") == 0) {
            mounted_ = true;
            return;
        }
        std::fprintf(stderr,
                     "mounting a tmpfs is not allowed here (%s): the file size limit "
                     "stands in\n",
                     std::strerror(errno));
        limit_ = Limit::FileSize;
    }
    rlimit current{};
    if (::getrlimit(RLIMIT_FSIZE, &current) != 0 ||
        (current.rlim_max != RLIM_INFINITY && current.rlim_max < kFileSizeLimit))
        unavailable_ = QStringLiteral("neither a tmpfs nor a file size limit can be had here");
}

TightFolder::~TightFolder() {
    // Lazily: a file still open somewhere must not keep the mount, and with it the folder.
    if (mounted_) ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
}

void TightFolder::fill_up(const QString& name) const {
    if (limit_ != Limit::Tmpfs) return;
    const int fd = ::open(QFile::encodeName(file(name)).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return;
    const QByteArray chunk(4096, 'f');
    while (::write(fd, chunk.constData(), size_t(chunk.size())) > 0) {
    }
    // A partial page may still be free: take it byte by byte.
    while (::write(fd, "f", 1) > 0) {
    }
    ::close(fd);
}

TightFolder::Scope::Scope(bool active) : active_(active) {
    if (!active_) return;
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGXFSZ, &ignore, &old_action_);
    ::getrlimit(RLIMIT_FSIZE, &old_limit_);
    rlimit tight = old_limit_;
    tight.rlim_cur = kFileSizeLimit;
    ::setrlimit(RLIMIT_FSIZE, &tight);
}

TightFolder::Scope::~Scope() {
    if (!active_) return;
    ::setrlimit(RLIMIT_FSIZE, &old_limit_);
    ::sigaction(SIGXFSZ, &old_action_, nullptr);
}

Outcome run_batch_tool(const QStringList& args, int timeout_ms) {
    QProcess process;
    process.start(QStringLiteral(QUORVANE_BATCH), args);
    process.closeWriteChannel();
    Outcome outcome;
    if (!process.waitForFinished(timeout_ms)) {
        process.kill();
        process.waitForFinished();
        outcome.err = QStringLiteral("did not finish within %1 ms").arg(timeout_ms);
        return outcome;
    }
    if (process.exitStatus() == QProcess::NormalExit) outcome.status = process.exitCode();
    outcome.out = QString::fromUtf8(process.readAllStandardOutput());
    outcome.err = QString::fromUtf8(process.readAllStandardError());
    return outcome;
}

QByteArray read_bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write_bytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QString write_picture(const QString& path, QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb(x * 7 % 256, y * 11 % 256, (x + y) % 256);
    }
    picture.save(path);  // the format follows the name
    return path;
}

QImage button_picture(int shade) {
    QImage image(150, 56, QImage::Format_RGB32);
    image.fill(qRgb(shade, 255 - shade, shade / 2));
    return image;
}

}  // namespace hardening
