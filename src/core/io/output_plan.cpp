#include "core/io/output_plan.h"

#include "core/io/message_text.h"
#include "core/io/output_path.h"
#include "core/io/sys_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

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

FileId id_of(const struct stat& st) {
    return {st.st_dev, st.st_ino};
}

std::optional<FileId> file_id(const QByteArray& path) {
    struct stat st {};
    if (::stat(path.constData(), &st) != 0) return std::nullopt;
    return id_of(st);
}

// The folder a path lies in, spelt without "." parts or links, and the file's own name; for
// comparing files that do not exist (yet), which have no identity.
QString resolved_spelling(const QString& path) {
    const QFileInfo info(path);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? QString() : QDir(folder).filePath(info.fileName());
}

// Write permission for someone, not only for this user: root may write anything, and a file or
// folder made read-only still means "leave it alone".
bool writable(const QByteArray& path, const struct stat& st) {
    return (st.st_mode & 0222) != 0 && ::access(path.constData(), W_OK) == 0;
}

// A file the run reads, as the planned files are compared with it.
class Input {
  public:
    explicit Input(const PlanInput& input) : what_(input.what), path_(input.path) {
        id_ = file_id(QFile::encodeName(path_));
        name_ = QFileInfo(path_).fileName();
    }

    // Whether the file at `path` (named `name`, with `id` when it exists) is this input: the
    // same file through any spelling or link while both exist, the same resolved spelling
    // otherwise.
    bool is(const QString& path, QStringView name, const std::optional<FileId>& id) const {
        if (id && id_) return *id == *id_;
        // Resolving the spelling costs a look-up per folder: only a matching name needs it.
        if (name != name_) return false;
        if (!spelling_) spelling_ = resolved_spelling(path_);
        const QString spelling = resolved_spelling(path);
        return !spelling.isEmpty() && spelling == *spelling_;
    }

    QString named() const { return what_ + u' ' + shown_in_message(path_); }

  private:
    QString what_;
    QString path_;
    QString name_;
    std::optional<FileId> id_;
    mutable std::optional<QString> spelling_;
};

// What a folder allows; looked up once per folder however many files go into it.
struct Folder {
    QString problem;    // empty: files can be made in it
    QString canonical;  // the folder without links, "." or ".."
    QByteArray key;     // `canonical` in the file system's encoding, with a trailing "/"
    long name_max = NAME_MAX;
};

Folder look_up(const QString& folder) {
    Folder f;
    const QByteArray name = QFile::encodeName(folder.isEmpty() ? QStringLiteral("/") : folder);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0) {
        const int error = errno;
        f.problem = error == ENOENT || error == ENOTDIR
                        ? QStringLiteral("the folder %1 does not exist, and folders are not made")
                              .arg(shown_in_message(folder))
                        : QStringLiteral("the folder %1 cannot be used: %2")
                              .arg(shown_in_message(folder), system_error_text(error));
        return f;
    }
    if (!S_ISDIR(st.st_mode)) {
        f.problem = QStringLiteral("%1 is not a folder").arg(shown_in_message(folder));
        return f;
    }
    if (!writable(name, st)) {
        f.problem = QStringLiteral("the folder %1 cannot be written: %2")
                        .arg(shown_in_message(folder),
                             system_error_text((st.st_mode & 0222) ? errno : EACCES));
        return f;
    }
    if (const long limit = ::pathconf(name.constData(), _PC_NAME_MAX); limit > 0)
        f.name_max = limit;
    f.canonical = QFileInfo(folder.isEmpty() ? QStringLiteral("/") : folder).canonicalFilePath();
    f.key = QFile::encodeName(f.canonical);
    if (!f.key.endsWith('/')) f.key += '/';
    return f;
}

// Who writes a planned file, for telling two writers of one file apart and naming them.
struct Writer {
    qsizetype label = -1;  // -1: an extra file
    qsizetype look = 0;    // the look's place, or the extra's
};

class Planner {
  public:
    explicit Planner(const OutputPlan& plan) : plan_(plan) {
        for (const PlanInput& input : plan.inputs)
            if (!input.path.isEmpty()) inputs_.emplace_back(input);
    }

    Result<QStringList> check() {
        writers_.reserve(plan_.labels.size() * plan_.suffixes.size() +
                         qsizetype(plan_.extras.size()));
        for (qsizetype i = 0; i < plan_.labels.size(); ++i) {
            const QString& name = plan_.names.isEmpty() ? plan_.labels[i] : plan_.names[i];
            for (qsizetype k = 0; k < plan_.suffixes.size(); ++k)
                if (Result<void> ok = check_button(i, k, name + plan_.suffixes[k]); !ok)
                    return Failure{ok.error()};
        }
        for (qsizetype e = 0; e < qsizetype(plan_.extras.size()); ++e)
            if (Result<void> ok = check_extra(e); !ok) return Failure{ok.error()};
        return written_folders_;
    }

  private:
    const Folder& folder(const QString& path) {
        if (last_folder_ && *last_folder_ == path) return *last_;
        auto it = folders_.find(path);
        if (it == folders_.end()) {
            it = folders_.insert(path, look_up(path));
            if (it->problem.isEmpty()) written_folders_ << it->canonical;
        }
        last_folder_ = path;
        last_ = &*it;
        return *it;
    }

    // The output directory itself, without links: a label's folder must stay inside it.
    const QString& directory() {
        if (!directory_) directory_ = QFileInfo(plan_.directory).canonicalFilePath();
        return *directory_;
    }

    bool inside_directory(const QString& canonical) {
        const QString& top = directory();
        if (canonical == top) return true;
        return canonical.startsWith(top.endsWith(u'/') ? top : top + u'/');
    }

    QString writer_named(const Writer& w) const {
        if (w.label < 0) return plan_.extras[size_t(w.look)].option;
        const QString label =
            QStringLiteral("the label \"%1\"").arg(shown_in_message(plan_.labels[w.label]));
        if (w.look == 0) return label;
        return QStringLiteral("the \"%1\" button of %2")
            .arg(shown_in_message(plan_.suffixes[w.look]), label);
    }

    // Records `w` as the writer of the file `key`; fails when something else writes it too.
    Result<void> claim(const QByteArray& key, const Writer& w, const QString& path) {
        const auto it = writers_.constFind(key);
        if (it == writers_.cend()) {
            writers_.insert(key, w);
            return {};
        }
        const Writer& first = *it;
        // The same label twice in a list writes the same bytes twice: no conflict.
        if (first.label >= 0 && w.label >= 0 && first.look == w.look &&
            plan_.labels[first.label] == plan_.labels[w.label])
            return {};
        QString message = QStringLiteral(
                              "%1 and %2 would both be written to %3: only one of them "
                              "would be kept; rename one")
                              .arg(writer_named(first), writer_named(w), shown_in_message(path));
        message[0] = message[0].toUpper();
        return Failure{message};
    }

    const Input* input_at(const QString& path, QStringView name,
                          const std::optional<FileId>& id) const {
        for (const Input& input : inputs_)
            if (input.is(path, name, id)) return &input;
        return nullptr;
    }

    Result<void> check_button(qsizetype i, qsizetype k, const QString& name) {
        const QString& label = plan_.labels[i];
        const auto bad = [&label](const QString& why) {
            return Failure{QStringLiteral("The label \"%1\" cannot be written: %2")
                               .arg(shown_in_message(label), why)};
        };
        const Result<QString> path = output_path(plan_.directory, name, plan_.extension);
        if (!path) return Failure{path.error()};
        const qsizetype slash = path->lastIndexOf(u'/');
        const Folder& where = folder(path->left(slash));
        if (!where.problem.isEmpty()) return bad(where.problem);
        if (!inside_directory(where.canonical))
            return bad(
                QStringLiteral("its folder %1 leads out of the output directory %2 through "
                               "a symbolic link: buttons are written only inside it")
                    .arg(shown_in_message(path->left(slash)), shown_in_message(plan_.directory)));

        const QByteArray file = QFile::encodeName(*path);
        const QByteArray file_name = QFile::encodeName(path->mid(slash + 1));
        if (file_name.size() > where.name_max)
            return bad(QStringLiteral("its file name is %1 bytes long, and the file system takes "
                                      "at most %2")
                           .arg(file_name.size())
                           .arg(where.name_max));
        if (file.size() >= PATH_MAX)
            return bad(QStringLiteral("its path is %1 bytes long, and the system takes at most %2")
                           .arg(file.size())
                           .arg(PATH_MAX - 1));

        struct stat st {};
        std::optional<FileId> id;
        if (::stat(file.constData(), &st) == 0) {
            if (S_ISDIR(st.st_mode))
                return bad(QStringLiteral("its file %1 is a folder").arg(shown_in_message(*path)));
            id = id_of(st);
        }
        if (const Input* input = input_at(*path, QStringView(*path).mid(slash + 1), id))
            return Failure{QStringLiteral("The label \"%1\" would replace %2 with its button: "
                                          "rename the label, or choose another output directory")
                               .arg(shown_in_message(label), input->named())};
        return claim(where.key + file_name, Writer{i, k}, *path);
    }

    Result<void> check_extra(qsizetype e) {
        const PlanExtra& extra = plan_.extras[size_t(e)];
        const auto bad = [&extra](const QString& why) {
            return Failure{extra.option + QStringLiteral(": ") + why};
        };
        const QFileInfo info(extra.path);
        const Folder& where = folder(info.absolutePath());
        if (!where.problem.isEmpty()) return bad(where.problem);
        const QByteArray file = QFile::encodeName(extra.path);
        struct stat st {};
        std::optional<FileId> id;
        if (::lstat(file.constData(), &st) == 0) {
            const QString shown = shown_in_message(extra.path);
            if (S_ISLNK(st.st_mode))
                return bad(QStringLiteral("%1 is a symbolic link, which would be replaced rather "
                                          "than the file it leads to: name the file itself")
                               .arg(shown));
            if (S_ISDIR(st.st_mode)) return bad(QStringLiteral("%1 is a folder").arg(shown));
            if (!writable(file, st))
                return bad(QStringLiteral("%1 is read-only, and is not replaced").arg(shown));
            id = id_of(st);
        }
        if (const Input* input = input_at(extra.path, info.fileName(), id))
            return bad(
                QStringLiteral("%1 would be replaced: choose another file").arg(input->named()));
        return claim(where.key + QFile::encodeName(info.fileName()), Writer{-1, e}, extra.path);
    }

    const OutputPlan& plan_;
    std::vector<Input> inputs_;
    QHash<QString, Folder> folders_;
    std::optional<QString> last_folder_;
    const Folder* last_ = nullptr;
    std::optional<QString> directory_;
    QHash<QByteArray, Writer> writers_;
    QStringList written_folders_;
};

}  // namespace

Result<QStringList> check_output_plan(const OutputPlan& plan) {
    return Planner(plan).check();
}

Result<void> check_output_plan(const QStringList& labels, const QString& directory,
                               const QString& background_path, const QString& extension) {
    OutputPlan plan;
    plan.directory = directory;
    plan.labels = labels;
    plan.extension = extension;
    plan.inputs.push_back({QStringLiteral("the background picture"), background_path});
    const Result<QStringList> checked = check_output_plan(plan);
    if (!checked) return Failure{checked.error()};
    return {};
}

}  // namespace qv
