// A disk that fills up during a run: the run stops at the first button that does not fit, says
// which file, and leaves every file it did not finish exactly as it was.
#include "cli/batch_runner.h"
#include "core/io/bmp_writer.h"
#include "core/io/button_output.h"
#include "hardening_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

using namespace hardening;

namespace {

constexpr int kLabels = 8;  // far more than fit into the tmpfs

QString label(int i) {
    return QStringLiteral("Button %1").arg(i);
}

// Each way the folder fills up, with the files staged nameless and under temporary names.
class FullDisk : public testing::TestWithParam<std::tuple<Limit, qv::Staging>> {
  protected:
    void SetUp() override {
        write_bytes(folder_.file("keep.txt"), "not a button");
        button_picture(40).save(inputs_.filePath("back.png"));
    }

    qv::Staging staging() const { return std::get<1>(GetParam()); }

    // The tool on these labels, with a background and every effect. It stages nameless files
    // where it can, so it runs only with that parameter.
    Outcome run_tool(const QStringList& labels, const QString& out, const char* jobs = "1") {
        return batch_tool::run({"--labels", write_list(inputs_.filePath("list.txt"), labels),
                                "--background", inputs_.filePath("back.png"), "--out", out,
                                "--shadow", "--outline", "--3d", "--jobs", jobs});
    }

    // The tool's runner in this process, staging the files as the parameter says.
    qv::cli::BatchOutcome run_runner(const QStringList& labels, const QString& out, int jobs) {
        qv::cli::BatchRun run;
        run.labels = labels;
        qv::cli::ButtonLook look;
        look.style.effet1_on = look.style.effet2_on = look.style.effet3_on = qv::kTrue;
        look.background = qv::Canvas::from_picture(button_picture(40), qv::kWindowBackground);
        run.looks = {look};
        run.out_dir = out;
        run.jobs = jobs;
        run.staging = staging();
        return qv::cli::run_batch(run);
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
    TightFolder folder_{std::get<0>(GetParam())};
};

TEST_P(FullDisk, SaveButtonAndToolStopAtTheButtonThatDoesNotFitAndKeepTheOthers) {
    const QString message = folder_.limited([&] {
        for (int i = 0; i < kLabels; ++i) {
            const auto saved = qv::save_button(button_picture(i * 30), folder_.path(), label(i),
                                               qv::ButtonFormat::Bmp, staging());
            if (!saved) return saved.error();
        }
        return QString();
    });
    const int saved = expect_whole_run(
        message, [](int i) { return qv::encode_bmp24(button_picture(i * 30)).value(); });
    const int fitted = folder_.limit() == Limit::Tmpfs ? 2 : 0;  // before the tmpfs filled up
    EXPECT_GE(saved, fitted);

    QStringList labels;
    for (int i = 0; i < kLabels; ++i) labels << label(i);
    const auto clear = [&] {
        for (int i = 0; i < kLabels; ++i) QFile::remove(folder_.file(label(i) + ".bmp"));
    };
    // Several workers stage buttons ahead only within a quarter of the free room, so they do not
    // take the room of an earlier one: as many fit as with one worker.
    QTemporaryDir roomy;
    ASSERT_FALSE(run_runner(labels, roomy.path(), 1).failure);
    for (const int jobs : {1, 4}) {
        clear();
        const auto outcome =
            folder_.limited([&] { return run_runner(labels, folder_.path(), jobs); });
        ASSERT_TRUE(outcome.failure) << jobs;
        const int written = expect_whole_run(
            *outcome.failure, [&](int i) { return read_bytes(roomy.filePath(label(i) + ".bmp")); });
        EXPECT_EQ(written, outcome.written);
        EXPECT_GE(written, fitted) << jobs;
    }
    if (staging() != qv::Staging::Nameless) return;

    QTemporaryDir roomy_tool;
    ASSERT_EQ(run_tool(labels, roomy_tool.path()).status, 0);
    clear();
    const Outcome outcome = folder_.limited([&] { return run_tool(labels, folder_.path(), "4"); });
    EXPECT_EQ(outcome.status, 1) << outcome.err;
    expect_whole_run(outcome.err,
                     [&](int i) { return read_bytes(roomy_tool.filePath(label(i) + ".bmp")); });
}

TEST_P(FullDisk, AReplacementThatDoesNotFitLeavesTheOldFileWhole) {
    // With keep.txt it leaves 20 KiB of the tmpfs: too little for a button of 25 KiB beside it.
    const QByteArray old(72 * 1024, 'o');
    write_bytes(folder_.file("Home.bmp"), old);
    const QString by_save = folder_.limited([&] {
        return qv::save_button(button_picture(0), folder_.path(), "Home", qv::ButtonFormat::Bmp,
                               staging())
            .error();
    });
    const auto by_runner = folder_.limited([&] {
        return run_runner({"Home", "News"}, folder_.path(), 2);
    });
    QStringList messages{by_save, by_runner.failure.value_or(QString())};
    if (staging() == qv::Staging::Nameless) {
        const Outcome by_tool = folder_.limited([&] {
            return run_tool({"Home", "News"}, folder_.path());
        });
        EXPECT_EQ(by_tool.status, 1);
        messages << by_tool.err;
    }
    for (const QString& message : messages)
        EXPECT_TRUE(message.contains(folder_.file("Home.bmp"))) << message;
    EXPECT_EQ(read_bytes(folder_.file("Home.bmp")), old);
    EXPECT_EQ(entries(folder_.path()), (QStringList{"Home.bmp", "keep.txt"}));
}

std::string param_name(const testing::TestParamInfo<std::tuple<Limit, qv::Staging>>& info) {
    const Limit limit = std::get<0>(info.param);
    const qv::Staging staging = std::get<1>(info.param);
    return std::string(limit == Limit::Tmpfs ? "Tmpfs" : "FileSizeLimit") +
           (staging == qv::Staging::Named ? "Named" : "Nameless");
}

INSTANTIATE_TEST_SUITE_P(Hardening, FullDisk,
                         testing::Combine(testing::Values(Limit::Tmpfs, Limit::FileSize),
                                          testing::Values(qv::Staging::Nameless,
                                                          qv::Staging::Named)),
                         param_name);

}  // namespace
