// The tool's runner in process, staging both ways: nameless files, and the hidden temporary files
// of file systems that cannot make nameless ones.
#include "cli/batch_runner.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

#include <chrono>
#include <string>
#include <thread>

namespace {

// Every entry of the folder, hidden ones too, as one line.
std::string entries(const QString& dir) {
    return QDir(dir)
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)
        .join(u' ')
        .toStdString();
}

class Runner : public testing::TestWithParam<qv::Staging> {};

// A failure stops the run at its label: the buttons before it are committed in label order (a
// repeated label replacing its file), nothing after it is written and no temporary file is left,
// however many workers stage ahead.
TEST_P(Runner, AFailureKeepsTheButtonsBeforeItAndLeavesNothingElse) {
    QStringList labels{"A", "B", "A", "C", "missing/D"};
    for (int i = 0; i < 40; ++i) labels << QStringLiteral("After %1").arg(i);
    QTemporaryDir dir;
    for (const int jobs : {1, 3}) {
        const QString out = dir.filePath(QString::number(jobs));
        ASSERT_TRUE(QDir().mkpath(out));
        qv::cli::BatchRun run;
        run.labels = labels;
        qv::cli::ButtonLook look;
        look.background = qv::Canvas::make({65, 43}, qv::kWindowBackground);
        run.looks = {look};
        run.out_dir = out;
        run.jobs = jobs;
        run.staging = GetParam();
        QList<qsizetype> committed;
        run.on_committed = [&committed](qsizetype i, const QImage&) {
            committed << i;
            // The other workers meanwhile stage the buttons after the failure, to be discarded.
            if (i == 3) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        };
        const qv::cli::BatchOutcome outcome = qv::cli::run_batch(run);
        EXPECT_EQ(outcome.written, 4) << jobs;
        EXPECT_EQ(committed, (QList<qsizetype>{0, 1, 2, 3})) << jobs;
        ASSERT_TRUE(outcome.failure) << jobs;
        EXPECT_TRUE(outcome.failure->contains(out + "/missing/D.bmp: No such file or directory"))
            << outcome.failure->toStdString();
        EXPECT_EQ(entries(out), "A.bmp B.bmp C.bmp") << jobs;
    }
}

// A run of one label starts no thread, however many workers are allowed: it draws on the caller's
// thread with the fonts already loaded there.
TEST(RunnerThreads, OneLabelIsDrawnOnTheCallingThread) {
    QTemporaryDir dir;
    qv::cli::BatchRun run;
    run.labels = {"Home"};
    qv::cli::ButtonLook look;
    look.background = qv::Canvas::make({65, 43}, qv::kWindowBackground);
    run.looks = {look};
    run.out_dir = dir.path();
    run.jobs = 4;
    std::thread::id drawn_on;
    run.on_committed = [&drawn_on](qsizetype, const QImage&) {
        drawn_on = std::this_thread::get_id();
    };
    EXPECT_EQ(qv::cli::run_batch(run).written, 1);
    EXPECT_EQ(drawn_on, std::this_thread::get_id());
}

INSTANTIATE_TEST_SUITE_P(Staging, Runner,
                         testing::Values(qv::Staging::Nameless, qv::Staging::Named),
                         [](const testing::TestParamInfo<qv::Staging>& info) {
                             return info.param == qv::Staging::Named ? "Named" : "Nameless";
                         });

}  // namespace
