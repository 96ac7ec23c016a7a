#include "core/io/output_plan.h"

#include "core/io/message_text.h"
#include "core/io/output_path.h"
#include "core/io/sys_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <optional>

namespace qv {
namespace {

struct FileId {
    dev_t device;
    ino_t inode;
    bool operator==(const FileId&) const = default;
};

std::optional<FileId> file_id(const QByteArray& path) {
    struct stat st {};
    if (::stat(path.constData(), &st) != 0) return std::nullopt;
    return FileId{st.st_dev, st.st_ino};
}

// The folder a path lies in, spelt without "." parts or links, and the file's own name; for
// comparing files that do not exist (yet), which have no identity.
QString resolved_spelling(const QString& path) {
    const QFileInfo info(path);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? QString() : QDir(folder).filePath(info.fileName());
}

// The background picture as the labels' files are compared with it.
class Picture {
  public:
    explicit Picture(const QString& path) : path_(path) {
        if (path.isEmpty()) return;
        id_ = file_id(QFile::encodeName(path));
        name_ = QFileInfo(path).fileName();
    }

    // Whether the file at `path` (with `id`, when it exists) is this picture: the same file
    // through any spelling or link while both exist, the same resolved spelling otherwise.
    bool is(const QString& path, const std::optional<FileId>& id) const {
        if (path_.isEmpty()) return false;
        if (id && id_) return *id == *id_;
        // Resolving the spelling costs a look-up per folder: only a matching name needs it.
        if (QFileInfo(path).fileName() != name_) return false;
        const QString spelling = resolved_spelling(path);
        return !spelling.isEmpty() && spelling == resolved_spelling(path_);
    }

    const QString& path() const { return path_; }

  private:
    QString path_;
    QString name_;
    std::optional<FileId> id_;
};

// Whether a folder can take the buttons, and the longest file name it allows (in bytes). Labels
// mostly share one folder, so the last answer is kept.
class FolderCheck {
  public:
    // Empty when `folder` is an existing folder, otherwise the reason.
    QString problem(const QString& folder) {
        if (folder != folder_) look_up(folder);
        return problem_;
    }
    long name_max() const { return name_max_; }

  private:
    void look_up(const QString& folder) {
        folder_ = folder;
        problem_.clear();
        name_max_ = NAME_MAX;
        const QByteArray name = QFile::encodeName(folder.isEmpty() ? QStringLiteral("/") : folder);
        struct stat st {};
        if (::stat(name.constData(), &st) != 0) {
            const int error = errno;
            problem_ =
                error == ENOENT || error == ENOTDIR
                    ? QStringLiteral("the folder %1 does not exist, and folders are not made")
                          .arg(shown_in_message(folder))
                    : QStringLiteral("the folder %1 cannot be used: %2")
                          .arg(shown_in_message(folder), system_error_text(error));
            return;
        }
        if (!S_ISDIR(st.st_mode)) {
            problem_ = QStringLiteral("%1 is not a folder").arg(shown_in_message(folder));
            return;
        }
        if (const long limit = ::pathconf(name.constData(), _PC_NAME_MAX); limit > 0)
            name_max_ = limit;
    }

    std::optional<QString> folder_;
    QString problem_;
    long name_max_ = NAME_MAX;
};

Failure bad_label(const QString& label, const QString& why) {
    return Failure{
        QStringLiteral("The label \"%1\" cannot be written: %2").arg(shown_in_message(label), why)};
}

}  // namespace

Result<void> check_output_plan(const QStringList& labels, const QString& directory,
                               const QString& background_path, const QString& extension) {
    const Picture picture(background_path);
    FolderCheck folders;
    for (const QString& label : labels) {
        const Result<QString> path = output_path(directory, label, extension);
        if (!path) return Failure{path.error()};
        const qsizetype slash = path->lastIndexOf(u'/');
        const QString folder = path->left(slash);
        if (const QString problem = folders.problem(folder); !problem.isEmpty())
            return bad_label(label, problem);

        const QByteArray file = QFile::encodeName(*path);
        const qsizetype name_bytes = QFile::encodeName(path->mid(slash + 1)).size();
        if (name_bytes > folders.name_max())
            return bad_label(label, QStringLiteral("its file name is %1 bytes long, and the file "
                                                   "system takes at most %2")
                                        .arg(name_bytes)
                                        .arg(folders.name_max()));
        if (file.size() >= PATH_MAX)
            return bad_label(label, QStringLiteral("its path is %1 bytes long, and the system "
                                                   "takes at most %2")
                                        .arg(file.size())
                                        .arg(PATH_MAX - 1));

        if (!picture.path().isEmpty() && picture.is(*path, file_id(file)))
            return Failure{QStringLiteral("The label \"%1\" would replace the background picture "
                                          "%2 with its button: rename the label, or choose "
                                          "another output directory")
                               .arg(shown_in_message(label), shown_in_message(picture.path()))};
    }
    return {};
}

}  // namespace qv
