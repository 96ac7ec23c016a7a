#pragma once
// What the hardening tests share: a folder that runs out of room and small file helpers; the
// tool itself is run with batch_tool::run.
#include "batch_tool.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <sys/mount.h>
#include <sys/resource.h>
#include <csignal>
#include <cstdio>
#include <ostream>

// Readable failures: names and messages as text (the first 300 characters), not as bytes.
inline std::ostream& operator<<(std::ostream& os, const QString& text) {
    return os << '"' << text.left(300).toStdString() << (text.size() > 300 ? "...\"" : "\"");
}

namespace hardening {

using batch_tool::Outcome;
using batch_tool::read_bytes;
using batch_tool::write_bytes;

// How a folder is made to run out of room.
enum class Limit {
    Tmpfs,     // a 96 KiB tmpfs mounted on it: writes fail with ENOSPC
    FileSize,  // RLIMIT_FSIZE of 16 KiB with SIGXFSZ ignored: writes fail with EFBIG
};

// A folder where the third or fourth button no longer fits (tmpfs, 24 pages), or where no button
// fits at all (file size limit, in force only inside limited(): files made outside it are as
// large as they need to be). Where a tmpfs cannot be mounted, the file size limit stands in.
class TightFolder {
  public:
    explicit TightFolder(Limit wanted) : limit_(wanted) {
        if (limit_ == Limit::Tmpfs &&
            ::mount("tmpfs", QFile::encodeName(path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                    "size=96k,mode=0700") != 0) {
            std::perror("mounting a tmpfs is not allowed here; the file size limit stands in");
            limit_ = Limit::FileSize;
        }
        std::signal(SIGXFSZ, SIG_IGN);  // here and in the programs started: a write fails instead
    }
    // Lazily: a file still open somewhere must not keep the mount, and with it the folder.
    ~TightFolder() {
        if (limit_ == Limit::Tmpfs) ::umount2(QFile::encodeName(path()).constData(), MNT_DETACH);
    }

    Limit limit() const { return limit_; }
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }

    // What `write` returns, run with the file size limit in force in this process and in the
    // programs it starts.
    template <typename Write>
    auto limited(Write write) const {
        rlimit old{};
        ::getrlimit(RLIMIT_FSIZE, &old);
        const rlimit tight{limit_ == Limit::FileSize ? 16 * 1024 : old.rlim_cur, old.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &tight);
        const auto result = write();
        ::setrlimit(RLIMIT_FSIZE, &old);
        return result;
    }

  private:
    QTemporaryDir dir_;
    Limit limit_;
};

// Writes `labels` as a text list at `path`, and gives the path.
inline QString write_list(const QString& path, const QStringList& labels) {
    return write_bytes(path, labels.join(QStringLiteral("\r\n")).toUtf8());
}

// Every entry of a folder but "." and "..", hidden ones too, sorted.
inline QStringList entries(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// A button picture of the given shade, so that a file holding another button's bytes shows.
inline QImage button_picture(int shade) {
    QImage image(150, 56, QImage::Format_RGB32);
    image.fill(qRgb(shade, 255 - shade, shade / 2));
    return image;
}

}  // namespace hardening
