#pragma once
// What the hardening tests share: a folder that runs out of room, the built quorvane-batch run as
// a user would, and small file helpers.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <csignal>
#include <ostream>

// Readable failures: names and messages as text (the first 300 characters), not as bytes.
std::ostream& operator<<(std::ostream& os, const QString& text);

namespace hardening {

// How a folder is made to run out of room.
enum class Limit {
    Tmpfs,     // a 96 KiB tmpfs mounted on it: writes fail with ENOSPC
    FileSize,  // RLIMIT_FSIZE with SIGXFSZ ignored: a file past 16 KiB fails with EFBIG
};

// A folder where the third or fourth button no longer fits (tmpfs), or where no button fits at
// all (file size limit, which is in force only inside a Scope; files made outside it are as
// large as they need to be). Unmounts whatever it mounted, whatever happens.
class TightFolder {
  public:
    // Where a tmpfs cannot be mounted, the file size limit stands in.
    explicit TightFolder(Limit wanted);
    ~TightFolder();
    TightFolder(const TightFolder&) = delete;
    TightFolder& operator=(const TightFolder&) = delete;

    // Empty when the folder is ready, else why it could not be made (the test then skips).
    const QString& unavailable() const { return unavailable_; }
    Limit limit() const { return limit_; }
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }

    // Takes every byte still free with a file named `name` (tmpfs only).
    void fill_up(const QString& name) const;

    // The file size limit, in force in this process and in the programs it starts.
    class Scope {
      public:
        explicit Scope(bool active);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

      private:
        bool active_;
        rlimit old_limit_{};
        struct sigaction old_action_ {};
    };
    Scope limited() const { return Scope(limit_ == Limit::FileSize); }

  private:
    QTemporaryDir dir_;
    Limit limit_;
    bool mounted_ = false;
    QString unavailable_;
};

struct Outcome {
    int status = -1;  // -1: crashed, or did not finish in time
    QString out;
    QString err;
};

// Runs the built quorvane-batch with these arguments.
Outcome run_batch_tool(const QStringList& args, int timeout_ms = 30000);

QByteArray read_bytes(const QString& path);
void write_bytes(const QString& path, const QByteArray& bytes);
// Every entry of a folder but "." and "..", hidden ones too, sorted.
QStringList entries(const QString& folder);

// A picture whose pixels all differ from their neighbours, saved at `path` in the format its
// name gives.
QString write_picture(const QString& path, QSize size);
// A button picture of the given shade, so that a file holding another button's bytes shows.
QImage button_picture(int shade);

}  // namespace hardening
