#include "core/io/output_plan.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>
#include <tuple>

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

// A plan of the buttons of `labels` under `names` in the looks `suffixes`, written to out_.
qv::OutputPlan buttons(const QString& out, const QStringList& labels, const QStringList& names,
                       const QStringList& suffixes = {QString()}) {
    qv::OutputPlan plan;
    plan.directory = out;
    plan.labels = labels;
    plan.names = names;
    plan.suffixes = suffixes;
    return plan;
}

QString plan_problem(const qv::OutputPlan& plan) {
    const auto checked = qv::check_output_plan(plan);
    return checked ? QString() : checked.error();
}

// Two different labels, or looks, onto one file: refused naming both and the file, whatever
// made the names meet. The same label listed twice writes the same bytes and may.
TEST_F(OutputPlanCheck, TwoWritersOfOneFileAreRefusedNamingBoth) {
    const QString high = QStringLiteral("x") + QChar(0xD800);
    const QString low = QStringLiteral("x") + QChar(0xDC00);
    const struct {
        qv::OutputPlan plan;
        QString first, second, file;
    } cases[] = {
        {buttons(out_, {"C", "C++", "C#"}, {"c", "c", "c"}), "the label \"C\"", "the label \"C++\"",
         out_ + "/c.bmp"},
        {buttons(out_, {"Home", "Home-hover"}, {"Home", "Home-hover"}, {"", "-hover"}),
         "the \"-hover\" button of the label \"Home\"", "the label \"Home-hover\"",
         out_ + "/Home-hover.bmp"},
        {buttons(out_, {high, low}, {high, low}), "the label \"" + high + "\"",
         "the label \"" + low + "\"", out_ + "/" + low + ".bmp"},
        {buttons(out_, {"a/b", "a//b"}, {"sub/b", "sub//b"}), "the label \"a/b\"",
         "the label \"a//b\"", out_ + "/sub//b.bmp"},
        {buttons(out_, {"Home"}, {"Home"}, {"", ""}), "the label \"Home\"",
         "the \"\" button of the label \"Home\"", out_ + "/Home.bmp"},
    };
    for (const auto& c : cases) {
        const QString message = plan_problem(c.plan);
        EXPECT_TRUE(message.startsWith("T" + c.first.mid(1) + " and " + c.second +
                                       " would both be written to " + c.file))
            << message.toStdString();
    }
    EXPECT_EQ(plan_problem(buttons(out_, {"Home", "News", "Home"}, {}, {"", "-hover"})), "");
}

TEST_F(OutputPlanCheck, AFolderLeadingOutOfTheDirectoryOrAFolderInTheWayIsFoundFirst) {
    ASSERT_TRUE(QDir(tmp_.path()).mkpath("elsewhere/deep"));
    ASSERT_TRUE(QFile::link(tmp_.filePath("elsewhere"), out_ + "/etc"));
    ASSERT_TRUE(QFile::link(out_ + "/sub", out_ + "/inside"));  // a link that stays inside is fine
    ASSERT_TRUE(QDir(out_).mkpath("Folder.bmp"));
    ASSERT_TRUE(QDir(out_).mkpath("ro"));
    ASSERT_TRUE(QFile::setPermissions(out_ + "/ro", QFile::ReadOwner | QFile::ExeOwner));
    const std::pair<QString, QString> cases[] = {
        {"etc/x", "its folder " + out_ + "/etc leads out of the output directory"},
        {"etc/deep/x", "leads out of the output directory"},
        {"Folder", "its file " + out_ + "/Folder.bmp is a folder"},
        {"ro/x", "the folder " + out_ + "/ro cannot be written"},
    };
    for (const auto& [label, says] : cases) {
        const QString message = plan_problem(buttons(out_, {"Fine", label}, {}));
        EXPECT_TRUE(message.contains("\"" + label + "\"") && message.contains(says))
            << message.toStdString();
    }
    EXPECT_EQ(plan_problem(buttons(out_, {"inside/x", "sub/y"}, {})), "");
    // Written through a link to it, the directory itself is where the labels must stay.
    ASSERT_TRUE(QFile::link(out_, tmp_.filePath("alias")));
    EXPECT_EQ(plan_problem(buttons(tmp_.filePath("alias"), {"sub/x"}, {})), "");
}

// The page, the sheet and the saved style are planned with the buttons: none may replace an input,
// a button or each other, and one that cannot be written where it says is found before any
// button is written.
TEST_F(OutputPlanCheck, FilesBesideTheButtonsAreCheckedWithThem) {
    touch(tmp_.filePath("list.txt"));
    touch(tmp_.filePath("hover.qvstyle"));
    touch(tmp_.filePath("locked.html"));
    ASSERT_TRUE(QFile::setPermissions(tmp_.filePath("locked.html"), QFile::ReadOwner));
    ASSERT_TRUE(QFile::link(tmp_.filePath("list.txt"), tmp_.filePath("link.html")));
    const auto plan = [&](const QString& option, const QString& path) {
        qv::OutputPlan p = buttons(out_, {"Home", "News"}, {});
        p.inputs = {{"the background picture", picture_},
                    {"the label list", tmp_.filePath("list.txt")},
                    {"the --hover style", tmp_.filePath("hover.qvstyle")}};
        p.extras = {{"--contact-sheet", tmp_.filePath("sheet.png")}, {option, path}};
        return p;
    };
    const std::tuple<QString, QString, QString> cases[] = {
        {"--save-style", tmp_.filePath("list.txt"), "the label list " + tmp_.filePath("list.txt")},
        {"--html", tmp_.filePath("./hover.qvstyle"), "the --hover style"},
        {"--html", out_ + "/steel.bmp", "the background picture"},
        {"--html", out_ + "/News.bmp", "label \"News\" and --html would both be written"},
        {"--html", tmp_.filePath("sheet.png"), "--contact-sheet and --html would both be written"},
        {"--html", out_ + "/sub", out_ + "/sub is a folder"},
        {"--html", tmp_.filePath("locked.html"), "locked.html is read-only"},
        {"--html", tmp_.filePath("link.html"), "link.html is a symbolic link"},
        {"--html", tmp_.filePath("no/menu.html"),
         "the folder " + tmp_.filePath("no") + " does not"},
        {"--html", out_ + "/Home.bmp/menu.html", "Home.bmp is not a folder"},
    };
    for (const auto& [option, path, says] : cases) {
        const QString message = plan_problem(plan(option, path));
        EXPECT_TRUE(message.contains(says) && message.contains(option)) << message.toStdString();
    }
    EXPECT_EQ(plan_problem(plan("--html", tmp_.filePath("menu.html"))), "");
    EXPECT_EQ(plan_problem(plan("--html", out_ + "/Home.html")), "");
}

}  // namespace
