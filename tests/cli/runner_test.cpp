// The tool's runner in process, staging both ways: nameless files, and the hidden temporary files
// of file systems that cannot make nameless ones.
#include "cli/batch_runner.h"
#include "core/render/button_painter.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

// Every entry of the folder, hidden ones too, as one line.
std::string entries(const QString& dir) {
    return QDir(dir)
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)
        .join(u' ')
        .toStdString();
}

// A run of `labels` over a blank picture of `size` into `out`, on up to `jobs` workers.
qv::cli::BatchRun blank_run(const QStringList& labels, QSize size, const QString& out, int jobs) {
    qv::cli::BatchRun run;
    run.labels = labels;
    qv::cli::ButtonLook look;
    look.background = qv::Canvas::make(size, qv::kWindowBackground);
    run.looks = {look};
    run.out_dir = out;
    run.jobs = jobs;
    return run;
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
        qv::cli::BatchRun run = blank_run(labels, {65, 43}, out, jobs);
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

// A run over an earlier set writes its buttons into the old files it swaps out (PNG buttons of
// different sizes here); the set it leaves is byte for byte the set a run into an empty folder
// makes, and no temporary file is left after it, nor after a failed run.
TEST_P(Runner, ReplacingASetLeavesTheFilesOfAFreshOne) {
    QStringList labels;
    for (int i = 0; i < 30; ++i) labels << QStringLiteral("%1 %2").arg(i).arg(QString(i % 7, 'W'));
    labels << labels[3];  // listed twice: replaces a file of this very run
    // When each file was made, or 0 where the file system does not tell.
    const auto births = [](const QString& dir) {
        std::vector<qint64> found;
        for (const QString& name : QDir(dir).entryList(QDir::Files)) {
            struct statx info {};
            if (::statx(AT_FDCWD, QFile::encodeName(dir + '/' + name).constData(), 0, STATX_BTIME,
                        &info) == 0)
                found.push_back((info.stx_mask & STATX_BTIME)
                                    ? info.stx_btime.tv_sec * 1'000'000'000LL +
                                          info.stx_btime.tv_nsec
                                    : 0);
        }
        return found;
    };
    QTemporaryDir dir;
    for (const int jobs : {1, 2}) {
        const QString fresh = dir.filePath(QStringLiteral("fresh%1").arg(jobs));
        const QString out = dir.filePath(QStringLiteral("out%1").arg(jobs));
        ASSERT_TRUE(QDir().mkpath(fresh) && QDir().mkpath(out));
        qv::cli::BatchRun run = blank_run(labels, {90, 30}, out, jobs);
        run.staging = GetParam();
        run.format = qv::ButtonFormat::Png;
        ASSERT_EQ(qv::cli::run_batch(run).written, labels.size());
        const std::vector<qint64> old_births = births(out);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));  // past the clock's tick
        run.looks[0].background = qv::Canvas::make({90, 30}, QColor(20, 90, 160));
        ASSERT_EQ(qv::cli::run_batch(run).written, labels.size());
        run.out_dir = fresh;
        ASSERT_EQ(qv::cli::run_batch(run).written, labels.size());
        ASSERT_EQ(entries(out), entries(fresh));
        for (const QString& name : QDir(fresh).entryList(QDir::Files)) {
            QFile a(out + '/' + name), b(fresh + '/' + name);
            ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
            EXPECT_EQ(a.readAll(), b.readAll()) << name.toStdString() << " jobs " << jobs;
            EXPECT_EQ(a.permissions(), b.permissions()) << name.toStdString();
        }
        // The old files were reused rather than freed (but for those staged before the first swap).
        const qint64 last_old = *std::max_element(old_births.begin(), old_births.end());
        const std::vector<qint64> new_births = births(out);
        const auto reused = std::count_if(new_births.begin(), new_births.end(),
                                          [&](qint64 birth) { return birth <= last_old; });
        EXPECT_TRUE(last_old == 0 || reused >= qsizetype(new_births.size()) / 2) << reused;
        run.out_dir = out;
        run.labels << "missing/Label";
        for (int i = 0; i < 20; ++i) run.labels << labels[i];
        const qv::cli::BatchOutcome failed = qv::cli::run_batch(run);
        EXPECT_EQ(failed.written, labels.size());
        EXPECT_TRUE(failed.failure);
        EXPECT_EQ(entries(out), entries(fresh)) << jobs;
    }
}

// Files staged ahead wait on the disk (here as hidden temporary files) while the one before them is
// committed: their bytes stay within the budget however many workers and places there are.
TEST(RunnerMemory, StagedAheadBytesStayWithinTheBudget) {
    QStringList labels;
    for (int i = 0; i < 60; ++i) labels << QStringLiteral("Label %1").arg(i);
    QTemporaryDir dir;
    qv::cli::BatchRun run = blank_run(labels, {200, 100}, dir.path(), 4);  // 60 054-byte files
    run.staging = qv::Staging::Named;
    run.staged_ahead_bytes = 2 * 60054 + 1000;
    qsizetype most = 0;
    run.on_committed = [&](qsizetype, const QImage&) {
        const qsizetype staged =
            QDir(dir.path()).entryList({".quorvane-*.tmp"}, QDir::Files | QDir::Hidden).size();
        most = std::max(most, staged);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));  // the workers run ahead
    };
    const qv::cli::BatchOutcome outcome = qv::cli::run_batch(run);
    EXPECT_EQ(outcome.written, 60);
    EXPECT_LE(most, 2);  // the budget; without one, the 16 places of four workers
    EXPECT_GE(most, 1);

    EXPECT_EQ(qv::cli::staged_ahead_budget(400 << 20), 64 << 20);
    EXPECT_EQ(qv::cli::staged_ahead_budget(100'000), 25'000);  // a near-full disk
}

// Workers share the look's picture rather than copying it, and never write to it.
TEST(RunnerMemory, WorkersSharePicturesAndAreFewerThanLabels) {
    qv::cli::ButtonLook look;
    look.background = qv::Canvas::make({300, 200}, qv::kWindowBackground);
    look.transparent = QImage(300, 200, QImage::Format_ARGB32_Premultiplied);
    look.transparent.fill(Qt::transparent);
    {
        qv::ButtonPainter painter(look.background, look.transparent);
        qv::ButtonStyle style;
        painter.paint(style);
        style.label_text = "Still shared";
        painter.paint(style);
        EXPECT_FALSE(look.background.image.isDetached());
        EXPECT_FALSE(look.transparent.isDetached());
    }
    EXPECT_TRUE(look.background.image.isDetached());

    using qv::cli::workers_for;
    EXPECT_EQ(workers_for(256, 3, 1000), 3);
    EXPECT_EQ(workers_for(256, 100000, 1000), qv::cli::kMaxWorkers);
    EXPECT_EQ(workers_for(64, 100000, 64 << 20), 8);  // 512 MiB of canvases at most
    EXPECT_EQ(workers_for(8, 0, 1000), 1);
    EXPECT_EQ(workers_for(2, 100000, qint64(4) << 30), 1);

    // A stretched look's canvases are counted at the widest button it can make, not the picture.
    look.layout.stretch = qv::Stretch{10, 10, qv::StretchMode::Scale, {}, 600};
    const qint64 bounded = qv::cli::look_canvas_bytes(look);
    EXPECT_GE(bounded, 2 * 600 * 200 * 4);
    look.layout.stretch->max_width.reset();
    const qint64 widest = qv::cli::look_canvas_bytes(look);
    EXPECT_GE(widest, qint64(2) * qv::kMaxStretchWidth * 200 * 4);
    EXPECT_LE(workers_for(64, 100000, widest) * widest, qint64(512) << 20);
}

// A worker whose canvas could not be allocated (here: a picture with no pixels) stops the run with
// a message instead of writing empty bitmaps.
TEST(RunnerMemory, ACanvasThatCouldNotBeMadeIsAFailureNotAnEmptyFile) {
    QTemporaryDir dir;
    qv::cli::BatchRun run;
    run.labels = {"Home", "News"};
    run.looks = {qv::cli::ButtonLook{}};
    run.out_dir = dir.path();
    run.jobs = 2;
    const qv::cli::BatchOutcome outcome = qv::cli::run_batch(run);
    EXPECT_EQ(outcome.written, 0);
    EXPECT_EQ(outcome.failure.value_or(""), "Out of memory for the button of \"Home\"");
    EXPECT_EQ(entries(dir.path()), "");
}

// A run of one label starts no thread, however many workers are allowed: it draws on the caller's
// thread with the fonts already loaded there.
TEST(RunnerThreads, OneLabelIsDrawnOnTheCallingThread) {
    QTemporaryDir dir;
    qv::cli::BatchRun run = blank_run({"Home"}, {65, 43}, dir.path(), 4);
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
