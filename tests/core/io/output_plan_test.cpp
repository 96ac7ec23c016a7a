#include "core/io/output_plan.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

namespace {

using qv::check_output_plan;

class OutputPlanCheck : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(tmp_.path()).mkpath("out/sub"));
        touch(out_ + "/steel.bmp");
        touch(out_ + "/Home.bmp");
    }
    void TearDown() override { QDir::setCurrent(start_folder_); }

    static void touch(const QString& path) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("picture");
    }

    // The message for a run of "Fine", `label`, "Later".
    static QString problem(const QString& label, const QString& directory,
                           const QString& background = {}) {
        const auto checked = check_output_plan({"Fine", label, "Later"}, directory, background);
        return checked ? QString() : checked.error();
    }

    const QString start_folder_ = QDir::currentPath();
    QTemporaryDir tmp_;
    const QString out_ = tmp_.filePath("out");
    const QString picture_ = out_ + "/steel.bmp";
};

TEST_F(OutputPlanCheck, ALabelThatCannotNameAFileIsNamedWithTheReason) {
    const struct {
        QString label;
        QString says;
    } cases[] = {
        {"/etc/passwd", "absolute path"},
        {"sub/../../evil", "\"..\""},
        {"missing/Deep", "the folder " + out_ + "/missing does not exist"},
    };  // a parent that is a file, a NUL and names too long: the tool's bad-names test
    for (const auto& c : cases) {
        const QString message = problem(c.label, out_);
        EXPECT_TRUE(message.contains(c.says) && message.contains(c.label)) << message.toStdString();
    }
    // The first bad label in list order is the one named.
    EXPECT_TRUE(check_output_plan({"a/b", "/c"}, out_, {}).error().contains("\"a/b\""));
}

TEST_F(OutputPlanCheck, ExistingFilesAreReplacedButNeverTheBackgroundPicture) {
    EXPECT_TRUE(
        check_output_plan({"Home", "sub/New", "", QString(251, u'y')}, out_, picture_).ok());
    EXPECT_TRUE(check_output_plan({"steel"}, out_, {}).ok());  // no picture loaded
    EXPECT_TRUE(check_output_plan({"steel"}, out_, picture_, ".png").ok());

    ASSERT_TRUE(QFile::link(picture_, out_ + "/linked.bmp"));
    ASSERT_EQ(::link(QFile::encodeName(picture_), QFile::encodeName(out_ + "/hard.bmp")), 0);
    ASSERT_TRUE(QFile::link(out_, tmp_.filePath("alias")));
    QDir::setCurrent(tmp_.path());
    const struct {
        QString directory;
        QString label;
        QString background;
    } same_file[] = {
        {out_, "steel", picture_},
        {"./out/", "./steel", "out/../out/./steel.bmp"},
        {out_, "linked", picture_},
        {out_, "hard", picture_},
        {tmp_.filePath("alias"), "steel", picture_},
    };
    for (const auto& c : same_file) {
        const QString message = problem(c.label, c.directory, c.background);
        EXPECT_TRUE(message.contains("\"" + c.label + "\" would replace the background picture " +
                                     c.background))
            << message.toStdString();
    }

    // A picture deleted since it was loaded is still known by its folder and name.
    ASSERT_TRUE(QFile::remove(picture_));
    EXPECT_FALSE(check_output_plan({"steel"}, tmp_.filePath("alias"), picture_).ok());
    EXPECT_TRUE(check_output_plan({"steel2"}, out_, picture_).ok());
}

}  // namespace
