// Labels and folders that make no usable file name: a parent that is a file, a name longer than
// the file system takes, a NUL. Saving such a button fails with a message naming the path; the
// tool finds the label before writing anything. Control characters, which a Linux name can hold,
// are written as they are.
#include "core/io/bmp_writer.h"
#include "core/io/button_output.h"
#include "hardening_support.h"

#include <gtest/gtest.h>

using namespace hardening;

namespace {

struct BadName {
    const char* what;
    QString label;    // in the output folder, which holds a plain file "plain"
    QString reason;   // what saving the button says is wrong
    QString shown;    // how that message names it, when not as label.bmp
    QString refused;  // what the tool's check of the labels says
};

QList<BadName> bad_names() {
    const QString e_acute(126, QChar(0xE9));  // 126 characters but 252 bytes: the limit is in bytes
    return {{"parent is a file", "plain/A", "Not a directory", {}, "plain is not a folder"},
            {"252 bytes of ASCII", QString(252, u'x'), "File name too long", {}, "256 bytes long"},
            {"252 bytes of UTF-8", e_acute, "File name too long", {}, "256 bytes long"},
            {"NUL", QStringLiteral("nul") + QChar(u'\0') + "byte", "NUL", "nul\\x00byte.bmp",
             "nul\\x00byte"}};
}

class BadNames : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(tmp_.path()).mkdir("out"));
        write_bytes(out("plain"), "a file, not a folder");
    }

    QString out(const QString& name) const { return out_ + u'/' + name; }

    Outcome run_tool(const QStringList& labels, const QString& out_dir) {
        return batch_tool::run(
            {"--labels", write_list(tmp_.filePath("list.txt"), labels), "--out", out_dir});
    }

    QTemporaryDir tmp_;
    const QString out_ = tmp_.filePath("out");
};

TEST_F(BadNames, SaveButtonFailsAndTheToolWritesNothingForANameNoFileCanHave) {
    const QByteArray old_after("an older After.bmp");
    write_bytes(out("After.bmp"), old_after);

    for (const BadName& bad : bad_names()) {
        const auto saved = qv::save_button(button_picture(90), out_, bad.label);
        EXPECT_TRUE(saved.error().contains(bad.shown.isEmpty() ? bad.label + ".bmp" : bad.shown) &&
                    saved.error().contains(bad.reason))
            << bad.what << ": " << saved.error();
        const Outcome outcome = run_tool({"Before", bad.label, "After"}, out_);
        EXPECT_EQ(outcome.status, 2) << bad.what;
        EXPECT_TRUE(outcome.err.contains(bad.refused)) << bad.what << ": " << outcome.err;
        EXPECT_EQ(entries(out_), (QStringList{"After.bmp", "plain"})) << bad.what;
        EXPECT_EQ(read_bytes(out("After.bmp")), old_after) << bad.what;
    }
    EXPECT_EQ(read_bytes(out("plain")), "a file, not a folder");

    // An output folder that is a file: the tool finds that bad input before writing anything.
    const QString plain = out("plain");
    const QString error = qv::save_button(button_picture(90), plain, "A").error();
    EXPECT_TRUE(error.contains(plain + "/A.bmp")) << error;
    const Outcome outcome = run_tool({"A"}, plain);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_TRUE(outcome.err.contains(plain)) << outcome.err;
}

TEST_F(BadNames, TheLongestNameAndControlCharactersAreWrittenAsTheyAre) {
    // 251 bytes and ".bmp" make the longest name there is; its temporary file must still fit.
    // The list format carries every control character but the line ends.
    const QStringList labels{"tab\there", "soh\x01", "vt\vff\f", QString(251, u'y')};
    for (int round = 0; round < 2; ++round) {  // the second round replaces every file
        for (int i = 0; i < labels.size(); ++i) {
            const QImage button = button_picture(round * 100 + i * 10);
            const auto saved = qv::save_button(button, out_, labels[i]);
            ASSERT_TRUE(saved.ok()) << saved.error();
            EXPECT_EQ(*saved, out(labels[i] + ".bmp"));
            EXPECT_EQ(read_bytes(*saved), qv::encode_bmp24(button).value());
        }
    }
    QStringList expected;
    for (const QString& l : labels) expected << l + ".bmp";
    QDir(tmp_.path()).mkdir("tool");
    const Outcome outcome = run_tool(labels, tmp_.filePath("tool"));
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    expected.sort();
    EXPECT_EQ(entries(tmp_.filePath("tool")), expected);
    expected << "plain";
    expected.sort();
    EXPECT_EQ(entries(out_), expected);
}

}  // namespace
