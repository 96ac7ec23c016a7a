// Labels and folders that make no usable file name: a parent that is a file, a name longer than
// the file system takes, a NUL. Each stops the run with a message naming the path; control
// characters, which a Linux name can hold, are written as they are.
#include "hardening_support.h"
#include "io/button_output.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

using namespace hardening;

namespace {

struct BadName {
    const char* what;
    QString label;   // in the output folder, which holds a plain file "plain"
    QString shown;   // how the message names it
    QString reason;  // what the message says is wrong
};

QList<BadName> bad_names() {
    const QString nul = QStringLiteral("nul") + QChar(u'\0') + QStringLiteral("byte");
    return {
        {"parent is a file", QStringLiteral("plain/A"), QStringLiteral("plain/A.bmp"),
         QStringLiteral("Not a directory")},
        {"252 bytes of ASCII", QString(252, u'x'), QString(252, u'x') + QStringLiteral(".bmp"),
         QStringLiteral("File name too long")},
        // 126 characters, but 252 bytes once encoded: the limit is in bytes.
        {"252 bytes of UTF-8", QString(126, QChar(0xE9)),
         QString(126, QChar(0xE9)) + QStringLiteral(".bmp"), QStringLiteral("File name too long")},
        {"NUL", nul, QStringLiteral("nul\\x00byte.bmp"), QStringLiteral("NUL")},
    };
}

// Names a Linux file can hold; the list format carries a lone LF inside a label.
const QStringList kControlLabels{QStringLiteral("tab\there"), QStringLiteral("soh\x01"),
                                 QStringLiteral("line\nfeed")};

class BadNames : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(tmp_.isValid());
        ASSERT_TRUE(QDir(tmp_.path()).mkdir(QStringLiteral("out")));
        write_bytes(out(QStringLiteral("plain")), "a file, not a folder");
    }

    QString out() const { return tmp_.filePath(QStringLiteral("out")); }
    QString out(const QString& name) const { return out() + u'/' + name; }

    Outcome run_tool(const QStringList& labels, const QString& out_dir) {
        const QString list = tmp_.filePath(QStringLiteral("list.txt"));
        write_bytes(list, labels.join(QStringLiteral("\r\n")).toUtf8());
        return run_batch_tool({QStringLiteral("--labels"), list, QStringLiteral("--out"), out_dir});
    }

    QTemporaryDir tmp_;
};

TEST_F(BadNames, SaveButtonRefusesNamesNoFileCanHaveAndSaysWhichPath) {
    const QImage button = button_picture(90);
    for (const BadName& bad : bad_names()) {
        const auto saved = qv::save_button(button, out(), bad.label);
        ASSERT_FALSE(saved.ok()) << bad.what;
        EXPECT_TRUE(saved.error().contains(bad.shown)) << bad.what << ": " << saved.error();
        EXPECT_TRUE(saved.error().contains(bad.reason)) << bad.what << ": " << saved.error();
        EXPECT_EQ(entries(out()), QStringList{"plain"}) << bad.what;
    }
    EXPECT_EQ(read_bytes(out(QStringLiteral("plain"))), "a file, not a folder");

    // The output folder itself a file.
    const auto saved = qv::save_button(button, out(QStringLiteral("plain")), "A");
    ASSERT_FALSE(saved.ok());
    EXPECT_TRUE(saved.error().contains(out(QStringLiteral("plain/A.bmp")))) << saved.error();
}

TEST_F(BadNames, SaveButtonWritesTheLongestNameAndControlCharactersAsTheyAre) {
    // 251 bytes and ".bmp" make the longest name there is; its temporary file must still fit.
    QStringList labels = kControlLabels;
    labels << QString(251, u'y');
    for (int round = 0; round < 2; ++round) {  // the second round replaces every file
        for (int i = 0; i < labels.size(); ++i) {
            const QImage button = button_picture(round * 100 + i * 10);
            const auto saved = qv::save_button(button, out(), labels[i]);
            ASSERT_TRUE(saved.ok()) << saved.error();
            EXPECT_EQ(*saved, out(labels[i] + QStringLiteral(".bmp")));
            EXPECT_EQ(read_bytes(*saved), qv::encode_button(button, qv::ButtonFormat::Bmp));
        }
    }
    QStringList expected{QStringLiteral("plain")};
    for (const QString& l : labels) expected << l + QStringLiteral(".bmp");
    expected.sort();
    EXPECT_EQ(entries(out()), expected);
}

TEST_F(BadNames, ToolStopsAtABadNameAndKeepsTheButtonsBefore) {
    QDir(tmp_.path()).mkdir(QStringLiteral("reference"));
    ASSERT_EQ(run_tool({"Before"}, tmp_.filePath(QStringLiteral("reference"))).status, 0);
    const QByteArray before = read_bytes(tmp_.filePath(QStringLiteral("reference/Before.bmp")));
    const QByteArray old_after("an older After.bmp");
    write_bytes(out(QStringLiteral("After.bmp")), old_after);

    for (const BadName& bad : bad_names()) {
        QDir(out()).remove(QStringLiteral("Before.bmp"));
        const Outcome outcome = run_tool({"Before", bad.label, "After"}, out());
        EXPECT_EQ(outcome.status, 1) << bad.what;
        EXPECT_TRUE(outcome.err.startsWith(u"quorvane-batch: ")) << bad.what;
        EXPECT_TRUE(outcome.err.contains(bad.shown)) << bad.what << ": " << outcome.err;
        EXPECT_TRUE(outcome.err.contains(bad.reason)) << bad.what << ": " << outcome.err;
        EXPECT_EQ(entries(out()), (QStringList{"After.bmp", "Before.bmp", "plain"})) << bad.what;
        EXPECT_EQ(read_bytes(out(QStringLiteral("Before.bmp"))), before) << bad.what;
        EXPECT_EQ(read_bytes(out(QStringLiteral("After.bmp"))), old_after) << bad.what;
    }
    EXPECT_EQ(read_bytes(out(QStringLiteral("plain"))), "a file, not a folder");

    // An output folder that is a file is bad input, found before anything is written.
    const Outcome outcome = run_tool({"A"}, out(QStringLiteral("plain")));
    EXPECT_EQ(outcome.status, 2);
    EXPECT_TRUE(outcome.err.contains(out(QStringLiteral("plain")))) << outcome.err;
}

TEST_F(BadNames, ToolWritesControlCharactersAsTheyAre) {
    const Outcome outcome = run_tool(kControlLabels, out());
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    QStringList expected{QStringLiteral("plain")};
    for (const QString& l : kControlLabels) expected << l + QStringLiteral(".bmp");
    expected.sort();
    EXPECT_EQ(entries(out()), expected);
}

}  // namespace
