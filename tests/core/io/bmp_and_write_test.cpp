#include "core/io/atomic_write.h"
#include "core/io/bmp_writer.h"
#include "core/io/output_path.h"
#include "core/io/staged_file.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <fcntl.h>
#include <linux/fiemap.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <optional>
#include <tuple>

namespace {

QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(Bmp, ExactBytesAndEveryPixelReadBackAtOddWidths) {
    QImage image(3, 2, QImage::Format_ARGB32);  // converted on the way
    image.fill(QColor(10, 20, 30));
    const auto bytes = qv::encode_bmp24(image);
    ASSERT_TRUE(bytes.ok()) << bytes.error().toStdString();
    // Size 78, pixels at 54, 40-byte info, 3x2, 1 plane, 24 bits, 24 bytes of pixels, 96 dpi.
    const QByteArray header = QByteArray::fromHex(
        "424d 4e000000 00000000 36000000 28000000 03000000 02000000 0100 1800 00000000 18000000 "
        "c40e0000 c40e0000 00000000 00000000");
    const QByteArray row = QByteArray::fromHex("1e140a 1e140a 1e140a 000000");  // padded to 4
    EXPECT_EQ(bytes->toHex(' '), (header + row + row).toHex(' '));
    for (int width : {1, 2, 3, 65, 150}) {
        QImage pattern(width, 7, QImage::Format_RGB32);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < width; ++x) pattern.setPixel(x, y, qRgb(x * 37, y * 99, x * y));
        const auto encoded = qv::encode_bmp24(pattern);
        ASSERT_TRUE(encoded.ok()) << width;
        EXPECT_EQ(QImage::fromData(*encoded).convertToFormat(QImage::Format_RGB32), pattern)
            << width;
    }
    // Past 4 GiB, where a 32-bit size would wrap around and a file could not state its size.
    EXPECT_EQ(qv::bmp24_file_size(40000, 40000), 4'800'000'054);
}

// Staged files, nameless or named, appear whole under their name replacing an older one;
// discarded (let go, or replaced by another) or failed ones leave nothing; failures name the path
// and the reason.
TEST(AtomicWrite, ReplacesWholeOrFailsNamingThePathAndReason) {
    for (const auto staging : {qv::Staging::Nameless, qv::Staging::Named}) {
        QTemporaryDir dir;
        const QString home = dir.filePath("Home.bmp");
        auto older = qv::stage_file(home, "an older, longer file", staging);
        ASSERT_TRUE(older.ok()) << older.error().toStdString();
        ASSERT_TRUE(qv::commit_file(std::move(*older)).ok());
        auto staged = qv::stage_file(home, "new", staging);
        ASSERT_TRUE(staged.ok()) << staged.error().toStdString();
        EXPECT_EQ(contents(home), "an older, longer file");
        ASSERT_TRUE(qv::commit_file(std::move(*staged)).ok());
        {
            auto dropped = qv::stage_file(dir.filePath("News.bmp"), "x", staging);
            auto replaced = qv::stage_file(dir.filePath("Menu.bmp"), "y", staging);
            ASSERT_TRUE(dropped.ok() && replaced.ok());
            *replaced = std::move(*dropped);
        }
        EXPECT_EQ(contents(home), "new");
        EXPECT_EQ(entries(dir.path()), QStringList{"Home.bmp"});
    }
    QTemporaryDir dir;
    // 250 bytes: the usual temporary name would pass the 255-byte limit, a shorter one is used.
    const QString long_name = QString(246, 'x') + ".bmp";
    EXPECT_TRUE(qv::write_file_atomically(dir.filePath(long_name), "long").ok());
    const std::pair<QString, const char*> failures[] = {
        {dir.filePath("missing/Home.bmp"), "No such file or directory"},
        {dir.filePath(long_name + "/Home.bmp"), "Not a directory"},
        {dir.filePath(QString(256, 'n')), "File name too long"},
        {dir.path(), "Is a directory"}};
    for (const auto& [path, reason] : failures)
        EXPECT_EQ(qv::write_file_atomically(path, "data").error(),
                  "Cannot write " + path + ": " + reason);
    EXPECT_EQ(entries(dir.path()), QStringList{long_name});
}

// Whether the file system still holds the file's data back, to be written when it chooses (ext4's
// delayed allocation); nullopt where it cannot tell.
std::optional<bool> data_held_back(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    alignas(fiemap) char buffer[sizeof(fiemap) + 4 * sizeof(fiemap_extent)] = {};
    auto* query = reinterpret_cast<fiemap*>(buffer);
    query->fm_length = FIEMAP_MAX_OFFSET;
    query->fm_extent_count = 4;
    const bool known = ::ioctl(fd, FS_IOC_FIEMAP, query) == 0 && query->fm_mapped_extents > 0;
    ::close(fd);
    if (!known) return std::nullopt;
    return (query->fm_extents[0].fe_flags & FIEMAP_EXTENT_DELALLOC) != 0;
}

// Replacing a button costs what writing a new one does: the file system is not made to write the
// new data out at once, as a rename over an existing file makes ext4 do.
TEST(AtomicWrite, ReplacingLeavesTheDataToTheFileSystemLikeANewFile) {
    for (const auto staging : {qv::Staging::Nameless, qv::Staging::Named}) {
        QTemporaryDir dir;
        auto write = [&](const QString& name, char fill) {
            auto staged = qv::stage_file(dir.filePath(name), QByteArray(25366, fill), staging);
            ASSERT_TRUE(staged.ok()) << staged.error().toStdString();
            ASSERT_TRUE(qv::commit_file(std::move(*staged)).ok());
        };
        write("Home.bmp", 'o');
        write("Home.bmp", 'h');
        const std::optional<bool> replaced = data_held_back(dir.filePath("Home.bmp"));
        // A new file written just after tells whether the file system holds data back at all
        // (and is not writing everything out at this moment).
        write("New.bmp", 'n');
        if (data_held_back(dir.filePath("New.bmp")) != true)
            GTEST_SKIP() << "the file system writes data at once, or does not tell";
        EXPECT_EQ(replaced, true);
        EXPECT_EQ(contents(dir.filePath("Home.bmp")), QByteArray(25366, 'h'));
        EXPECT_EQ(entries(dir.path()), (QStringList{"Home.bmp", "New.bmp"}));
    }
}

ino_t inode_of(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

// Replacing with a recycler writes the next button into the old file it swapped out, but only a
// file that nobody else can see change and that is what a new file would be: one with another
// name, one another process has open, one of another mode or owner is removed as without a
// recycler and keeps its bytes. What the recycler still holds goes with it.
TEST(AtomicWrite, RecyclesOnlyOldFilesThatAreOursAlone) {
    for (const auto staging : {qv::Staging::Nameless, qv::Staging::Named}) {
        QTemporaryDir dir;
        const auto path = [&](const char* name) { return dir.filePath(name); };
        const auto encoded = [&](const char* name) { return QFile::encodeName(path(name)); };
        for (const char* name : {"Linked", "Open", "Private", "Group", "Theirs", "Ours"})
            ASSERT_TRUE(qv::write_file_atomically(path(name), QByteArray("old ") + name).ok());
        const QFileDevice::Permissions fresh_permissions = QFile::permissions(path("Ours"));
        ASSERT_EQ(::link(encoded("Linked"), encoded("Link elsewhere")), 0);
        ASSERT_EQ(::chmod(encoded("Private"), 0600), 0);
        if (::geteuid() == 0) {  // only root can give a file away
            ASSERT_EQ(::chown(encoded("Theirs"), 4321, ::getegid()), 0);
            ASSERT_EQ(::chown(encoded("Group"), ::geteuid(), 4321), 0);
        }
        QProcess reader;  // holds "Open" open and reads it when told to
        reader.setWorkingDirectory(dir.path());
        reader.start("sh", {"-c", "exec 3<Open; echo open; read go; cat <&3"});
        ASSERT_TRUE(reader.waitForReadyRead(5000));
        ASSERT_EQ(reader.readAll(), "open\n");
        const ino_t ours = inode_of(path("Ours"));
        {
            qv::FileRecycler recycler;
            const auto replace = [&](const char* name) {
                auto staged =
                    qv::stage_file(path(name), QByteArray("new ") + name, staging, &recycler);
                ASSERT_TRUE(staged.ok()) << staged.error().toStdString();
                ASSERT_TRUE(qv::commit_file(std::move(*staged), &recycler).ok()) << name;
            };
            // Each is staged after the one before swapped its old file out.
            for (const char* name :
                 {"Linked", "Open", "Private", "Group", "Theirs", "Ours", "Next"})
                replace(name);
            EXPECT_EQ(inode_of(path("Next")), ours) << "the old file was not reused";
            replace("Next");  // its old file stays with the recycler
        }
        reader.write("go\n");
        ASSERT_TRUE(reader.waitForFinished(5000));
        EXPECT_EQ(reader.readAll(), "old Open");
        EXPECT_EQ(contents(path("Link elsewhere")), "old Linked");
        for (const char* name : {"Linked", "Open", "Private", "Group", "Theirs", "Ours", "Next"}) {
            EXPECT_EQ(contents(path(name)), QByteArray("new ") + name);
            EXPECT_EQ(QFile::permissions(path(name)), fresh_permissions) << name;
            struct stat info {};
            ASSERT_EQ(::stat(encoded(name), &info), 0);
            EXPECT_EQ(info.st_uid, ::geteuid()) << name;
            EXPECT_EQ(info.st_gid, ::getegid()) << name;
        }
        EXPECT_EQ(entries(dir.path()), (QStringList{"Group", "Link elsewhere", "Linked", "Next",
                                                    "Open", "Ours", "Private", "Theirs"}));
    }
}

TEST(OutputPath, JoinsWithOneSlashKeepsTheLabelAndRefusesToLeave) {
    const std::tuple<QString, QString, QString, QString> joined[] = {
        {"/web/img", "Home", ".bmp", "/web/img/Home.bmp"},
        {"/web/img/", "Home", ".bmp", "/web/img/Home.bmp"},
        {"/", "Home", ".bmp", "/Home.bmp"},
        {"/out", "  Home ", ".bmp", "/out/  Home .bmp"},
        {"/out", "", ".bmp", "/out/.bmp"},
        {"/out", "sub/..Home..", ".png", "/out/sub/..Home...png"},
        {"rel", "a\\b", ".bmp", "rel/a\\b.bmp"}};
    for (const auto& [directory, label, extension, expected] : joined) {
        const auto path = qv::output_path(directory, label, extension);
        ASSERT_TRUE(path.ok()) << path.error().toStdString();
        EXPECT_EQ(*path, expected);
    }
    EXPECT_TRUE(qv::output_path("", "Home").error().contains("choose one"));
    for (const QString label : {"/etc/Home", "../Home", "a/../../Home", "..", "a/.."})
        EXPECT_TRUE(qv::output_path("/out", label).error().contains('"' + label + '"'))
            << label.toStdString();
}

}  // namespace
