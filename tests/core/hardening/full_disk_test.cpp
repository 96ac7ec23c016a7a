// A disk that fills up during a run: the run stops at the first button that does not fit, says
// which file, and leaves every file it did not finish exactly as it was.
#include "core/io/button_output.h"
#include "hardening_support.h"

#include <gtest/gtest.h>

#include <functional>
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
        write_bytes(folder_.file("keep.txt"), "not a button");
        button_picture(40).save(inputs_.filePath("back.png"));
    }

    // The tool on these labels, with a background and every effect, outside the tight folder.
    Outcome run_tool(const QStringList& labels, const QString& out, const char* jobs = "1") {
        return run_batch_tool({"--labels", write_list(inputs_.filePath("list.txt"), labels),
                               "--background", inputs_.filePath("back.png"), "--out", out,
                               "--shadow", "--outline", "--3d", "--jobs", jobs});
    }

    // What was written is a run of whole buttons from the first label on, as `expected` gives
    // them, and `message` names the file after it. Returns how many were written.
    int expect_whole_run(const QString& message, const std::function<QByteArray(int)>& expected) {
        int written = 0;
        while (written < kLabels && entries(folder_.path()).contains(label(written) + ".bmp"))
            ++written;
        EXPECT_LT(written, kLabels) << "the folder never filled up";
        EXPECT_TRUE(message.contains(folder_.file(label(written) + ".bmp"))) << message;
        QStringList names{"keep.txt"};
        for (int i = 0; i < written; ++i) {
            names << label(i) + ".bmp";
            EXPECT_EQ(read_bytes(folder_.file(names.last())), expected(i)) << i;
        }
        names.sort();
        EXPECT_EQ(entries(folder_.path()), names);  // no half-written button, no temporary file
        EXPECT_EQ(read_bytes(folder_.file("keep.txt")), "not a button");
        return written;
    }

    QTemporaryDir inputs_;
    TightFolder folder_{GetParam()};
};

TEST_P(FullDisk, SaveButtonAndToolStopAtTheButtonThatDoesNotFitAndKeepTheOthers) {
    const QString message = folder_.limited([&] {
        for (int i = 0; i < kLabels; ++i) {
            const auto saved = qv::save_button(button_picture(i * 30), folder_.path(), label(i));
            if (!saved) return saved.error();
        }
        return QString();
    });
    const int saved = expect_whole_run(message, [](int i) {
        return qv::encode_button(button_picture(i * 30), qv::ButtonFormat::Bmp);
    });
    const int fitted = folder_.limit() == Limit::Tmpfs ? 2 : 0;  // before the tmpfs filled up
    EXPECT_GE(saved, fitted);

    QStringList labels;
    for (int i = 0; i < kLabels; ++i) labels << label(i);
    QTemporaryDir roomy;
    ASSERT_EQ(run_tool(labels, roomy.path()).status, 0);
    // One worker writes in label order; several stage buttons ahead, which may take the room of
    // an earlier one, so that which label fails varies (and may be the first).
    for (const char* jobs : {"1", "4"}) {
        for (int i = 0; i < kLabels; ++i) QFile::remove(folder_.file(label(i) + ".bmp"));
        const Outcome outcome =
            folder_.limited([&] { return run_tool(labels, folder_.path(), jobs); });
        EXPECT_EQ(outcome.status, 1) << outcome.err;
        const int written = expect_whole_run(
            outcome.err, [&](int i) { return read_bytes(roomy.filePath(label(i) + ".bmp")); });
        EXPECT_GE(written, jobs == std::string_view("1") ? fitted : 0);
    }
}

TEST_P(FullDisk, AReplacementThatDoesNotFitLeavesTheOldFileWhole) {
    // With keep.txt it leaves 20 KiB of the tmpfs: too little for a button of 25 KiB beside it.
    const QByteArray old(72 * 1024, 'o');
    write_bytes(folder_.file("Home.bmp"), old);
    const QString by_save = folder_.limited(
        [&] { return qv::save_button(button_picture(0), folder_.path(), "Home").error(); });
    const Outcome by_tool = folder_.limited([&] {
        return run_tool({"Home", "News"}, folder_.path());
    });
    EXPECT_EQ(by_tool.status, 1);
    for (const QString& message : {by_save, by_tool.err})
        EXPECT_TRUE(message.contains(folder_.file("Home.bmp"))) << message;
    EXPECT_EQ(read_bytes(folder_.file("Home.bmp")), old);
    EXPECT_EQ(entries(folder_.path()), (QStringList{"Home.bmp", "keep.txt"}));
}

INSTANTIATE_TEST_SUITE_P(Hardening, FullDisk, testing::Values(Limit::Tmpfs, Limit::FileSize),
                         [](const testing::TestParamInfo<Limit>& info) {
                             return info.param == Limit::Tmpfs ? "Tmpfs" : "FileSizeLimit";
                         });

}  // namespace
