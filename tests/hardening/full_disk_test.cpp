// A disk that fills up during a run: the run stops at the first button that does not fit, says
// which file, and leaves every file it did not finish exactly as it was.
#include "hardening_support.h"
#include "io/button_output.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <string_view>

using namespace hardening;

namespace {

constexpr int kLabels = 8;  // far more than fit into the tmpfs

QString label(int i) {
    return QStringLiteral("Button %1").arg(i);
}

class FullDisk : public testing::TestWithParam<Limit> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(inputs_.isValid());
        folder_ = std::make_unique<TightFolder>(GetParam());
        if (!folder_->unavailable().isEmpty()) GTEST_SKIP() << folder_->unavailable();
        write_bytes(folder_->file(QStringLiteral("keep.txt")), "not a button");
    }

    // The old button that a run is about to replace, with the rest of the room taken.
    QByteArray place_old_button(const QString& name) {
        const QByteArray old(20000, 'o');
        write_bytes(folder_->file(name), old);
        folder_->fill_up(QStringLiteral("filler"));
        return old;
    }

    QStringList present() const {
        QStringList names = entries(folder_->path());
        names.removeAll(QStringLiteral("filler"));
        return names;
    }

    // The labels' list and a background, outside the tight folder.
    QStringList tool_args(const QStringList& labels, const QString& out) {
        write_bytes(inputs_.filePath(QStringLiteral("list.txt")),
                    labels.join(QStringLiteral("\r\n")).toUtf8());
        return {QStringLiteral("--labels"),     inputs_.filePath(QStringLiteral("list.txt")),
                QStringLiteral("--background"), background(),
                QStringLiteral("--out"),        out,
                QStringLiteral("--shadow"),     QStringLiteral("--outline"),
                QStringLiteral("--3d")};
    }

    QString background() {
        const QString path = inputs_.filePath(QStringLiteral("back.png"));
        if (read_bytes(path).isEmpty()) write_picture(path, {150, 56});
        return path;
    }

    QTemporaryDir inputs_;
    std::unique_ptr<TightFolder> folder_;
};

TEST_P(FullDisk, SaveButtonStopsAtTheFileThatDoesNotFitAndKeepsTheOthers) {
    int failed = -1;
    QString message;
    {
        const auto scope = folder_->limited();
        for (int i = 0; i < kLabels && failed < 0; ++i) {
            const auto saved = qv::save_button(button_picture(i * 30), folder_->path(), label(i));
            if (!saved) {
                failed = i;
                message = saved.error();
            }
        }
    }
    ASSERT_GE(failed, 0) << "the folder never filled up";
    if (folder_->limit() == Limit::Tmpfs) {
        EXPECT_GE(failed, 2);  // some fitted before it filled up
    }
    EXPECT_TRUE(message.contains(folder_->file(label(failed) + QStringLiteral(".bmp")))) << message;

    QStringList expected{QStringLiteral("keep.txt")};
    for (int i = 0; i < failed; ++i) {
        expected << label(i) + QStringLiteral(".bmp");
        EXPECT_EQ(read_bytes(folder_->file(label(i) + QStringLiteral(".bmp"))),
                  qv::encode_button(button_picture(i * 30), qv::ButtonFormat::Bmp))
            << i;
    }
    expected.sort();
    EXPECT_EQ(present(), expected);  // no half-written button, no temporary file
    EXPECT_EQ(read_bytes(folder_->file(QStringLiteral("keep.txt"))), "not a button");
}

TEST_P(FullDisk, SaveButtonKeepsTheOldFileWholeWhenItsReplacementDoesNotFit) {
    const QByteArray old = place_old_button(QStringLiteral("Home.bmp"));
    {
        const auto scope = folder_->limited();
        const auto saved = qv::save_button(button_picture(0), folder_->path(), "Home");
        ASSERT_FALSE(saved.ok());
        EXPECT_TRUE(saved.error().contains(folder_->file(QStringLiteral("Home.bmp"))))
            << saved.error();
    }
    EXPECT_EQ(read_bytes(folder_->file(QStringLiteral("Home.bmp"))), old);
    EXPECT_EQ(present(), (QStringList{"Home.bmp", "keep.txt"}));
}

TEST_P(FullDisk, ToolStopsAtTheButtonThatDoesNotFitAndKeepsTheOthers) {
    QStringList labels;
    for (int i = 0; i < kLabels; ++i) labels << label(i);
    QTemporaryDir roomy;
    const Outcome reference = run_batch_tool(tool_args(labels, roomy.path()));
    ASSERT_EQ(reference.status, 0) << reference.err;

    // One worker writes in label order; several stage buttons ahead, which may take the room of
    // an earlier one, so that which label fails varies (and may be the first).
    for (const char* jobs : {"1", "4"}) {
        for (int i = 0; i < kLabels; ++i) QFile::remove(folder_->file(label(i) + ".bmp"));
        Outcome outcome;
        {
            const auto scope = folder_->limited();
            outcome = run_batch_tool(tool_args(labels, folder_->path()) << "--jobs" << jobs);
        }
        EXPECT_EQ(outcome.status, 1) << outcome.err;

        // What was written is a run of whole buttons from the first label on, and the message
        // names the file after it.
        int written = 0;
        while (written < kLabels && present().contains(label(written) + ".bmp")) ++written;
        ASSERT_LT(written, kLabels) << jobs;
        if (folder_->limit() == Limit::Tmpfs && jobs == std::string_view("1")) {
            EXPECT_GE(written, 2);
        }
        EXPECT_TRUE(outcome.err.contains(folder_->file(label(written) + ".bmp")))
            << jobs << ": " << outcome.err;
        QStringList expected{QStringLiteral("keep.txt")};
        for (int i = 0; i < written; ++i) {
            const QString name = label(i) + ".bmp";
            expected << name;
            EXPECT_EQ(read_bytes(folder_->file(name)), read_bytes(roomy.filePath(name))) << i;
        }
        expected.sort();
        EXPECT_EQ(present(), expected) << jobs;  // no half-written button, no temporary file
    }
    EXPECT_EQ(read_bytes(folder_->file(QStringLiteral("keep.txt"))), "not a button");
}

TEST_P(FullDisk, ToolKeepsTheOldFileWholeWhenItsReplacementDoesNotFit) {
    const QStringList args = tool_args({"Home", "News"}, folder_->path());
    const QByteArray old = place_old_button(QStringLiteral("Home.bmp"));
    Outcome outcome;
    {
        const auto scope = folder_->limited();
        outcome = run_batch_tool(args);
    }
    EXPECT_EQ(outcome.status, 1);
    EXPECT_TRUE(outcome.err.contains(folder_->file(QStringLiteral("Home.bmp")))) << outcome.err;
    EXPECT_EQ(read_bytes(folder_->file(QStringLiteral("Home.bmp"))), old);
    EXPECT_EQ(present(), (QStringList{"Home.bmp", "keep.txt"}));
}

INSTANTIATE_TEST_SUITE_P(Hardening, FullDisk, testing::Values(Limit::Tmpfs, Limit::FileSize),
                         [](const testing::TestParamInfo<Limit>& info) {
                             return info.param == Limit::Tmpfs ? "Tmpfs" : "FileSizeLimit";
                         });

}  // namespace
