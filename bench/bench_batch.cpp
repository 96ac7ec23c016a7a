// The command line batch against its floor: 5,000 buttons (150x56 picture, shadow, outline and
// 3D, as BMP and as PNG) through the tool's own runner, and the same buttons composed and encoded
// by the same core but written with nothing more than open/write/close. The ratio is the tool's
// speed over the floor's: what staging, ordered renaming and the bounded queue cost. The small
// run, 300 buttons into a folder that holds the previous round's files, is timed against the
// same floor writing new files: replacing a set must cost no more than writing it afresh.
#include "bench_main.h"
#include "bench_pictures.h"
#include "cli/batch_runner.h"
#include "core/io/output_path.h"
#include "core/io/picture_loader.h"
#include "core/render/composer.h"
#include "core/render/text_renderer.h"

#include <benchmark/benchmark.h>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <limits>
#include <map>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace {

constexpr int kButtons = 5000;
constexpr int kSmallRun = 300;

QStringList labels(int count) {
    static const char* const words[] = {"Home",     "News", "Contact",  "About us",
                                        "Products", "Help", "Download", "Shop"};
    QStringList list;
    for (int i = 0; i < count; ++i) list << QStringLiteral("%1 %2").arg(words[i % 8]).arg(i);
    return list;
}

qv::Canvas background() {
    return qv::Canvas::from_picture(gradient_button_picture(), qv::kWindowBackground);
}

// All three effects, the text line centred as the tool centres it by default.
qv::ButtonStyle style(const qv::Canvas& back) {
    qv::ButtonStyle s;
    s.font_name = QStringLiteral("DejaVu Sans");
    s.effet1_on = s.effet2_on = s.effet3_on = qv::kTrue;
    qv::Canvas preview = qv::Canvas::make(back.image.size(), qv::kWindowBackground);
    qv::set_label_font(preview, s);
    s.text_y = qv::centred_text_y(preview.height(), qv::line_height(preview));
    return s;
}

// A new folder for every round, with earlier writes flushed. Nothing is deleted until the end:
// ext4 skips recently freed inodes, so deleting the last round's files would slow the next
// round's file creation and time the file system's bookkeeping instead of the batch.
// QUORVANE_BENCH_DIR picks the file system (e.g. /dev/shm to leave the disk out).
QString fresh_dir(const char* name) {
    static QTemporaryDir root(qEnvironmentVariable("QUORVANE_BENCH_DIR", QDir::tempPath()) +
                              QStringLiteral("/bench_batch-XXXXXX"));
    static int round = 0;
    const QString dir = root.filePath(QStringLiteral("%1-%2").arg(name).arg(++round));
    QDir().mkpath(dir);
    ::sync();
    return dir;
}

double seconds_of(const std::function<void()>& round) {
    const auto start = std::chrono::steady_clock::now();
    round();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Same drawing and encoding as the tool, split statically over the threads, each file written
// in place: what the batch would cost with no ordering, no staging and no failure handling.
void write_floor(const QStringList& list, const qv::Canvas& back, const qv::ButtonStyle& base,
                 const QString& dir, int threads, qv::ButtonFormat format) {
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            qv::Canvas preview = qv::Canvas::make(back.image.size(), qv::kWindowBackground);
            qv::Canvas own_back = back;
            own_back.image = back.image.copy();
            qv::ButtonStyle s = base;
            qv::ButtonEncoder encoder(format);
            for (qsizetype i = t; i < list.size(); i += threads) {
                s.label_text = list[i];
                qv::compose_button(preview, own_back, s);
                const QByteArray bytes = encoder.encode(preview.image).value();
                const QByteArray path =
                    QFile::encodeName(*qv::output_path(dir, list[i], qv::extension_for(format)));
                const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
                if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size())
                    std::abort();
                ::close(fd);
            }
        });
    }
    for (auto& w : workers) w.join();
}

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    const auto middle = values.begin() + std::ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

struct Best {
    double tool = std::numeric_limits<double>::max();
    double floor = std::numeric_limits<double>::max();
};
std::map<std::tuple<int, int, int>, Best> g_best;  // by buttons, jobs and format

// Each iteration runs the tool's runner and the floor once each, in alternating order, so both
// meet the same state of a shared machine and file system. The benchmark's time is the tool's.
// With `replace`, the tool writes every round into one folder, over the previous round's files.
void compare_with_floor(benchmark::State& state, int buttons, int jobs, qv::ButtonFormat format,
                        bool replace) {
    qv::cli::BatchRun run;
    run.labels = labels(buttons);
    const qv::Canvas back = background();
    run.looks.push_back({style(back), back, QImage(), QString(), qv::LabelLayout{}, false});
    run.jobs = jobs;
    run.format = format;
    if (replace) {
        run.out_dir = fresh_dir("tool");
        qv::cli::run_batch(run);
        ::sync();
    }
    Best& best = g_best[{buttons, jobs, int(format == qv::ButtonFormat::Png)}];
    double tool_total = 0;
    double tool_cpu = 0;
    double floor_total = 0;
    double floor_cpu = 0;
    std::vector<double> tool_times, floor_times, tool_cpus, floor_cpus;  // of each round
    bool tool_first = true;
    for (auto _ : state) {
        const auto tool_round = [&] {
            if (!replace) run.out_dir = fresh_dir("tool");
            const double cpu_before = cpu_seconds();
            const double s = seconds_of([&] {
                const qv::cli::BatchOutcome outcome = qv::cli::run_batch(run);
                if (outcome.failure || outcome.written != buttons)
                    state.SkipWithError("batch failed");
            });
            tool_total += s;
            tool_times.push_back(s);
            tool_cpus.push_back(cpu_seconds() - cpu_before);
            tool_cpu += tool_cpus.back();
            best.tool = std::min(best.tool, s);
            return s;
        };
        const auto floor_round = [&] {
            const QString dir = fresh_dir("floor");
            const double cpu_before = cpu_seconds();
            const double s = seconds_of(
                [&] { write_floor(run.labels, back, run.looks[0].style, dir, jobs, format); });
            floor_total += s;
            floor_times.push_back(s);
            floor_cpus.push_back(cpu_seconds() - cpu_before);
            floor_cpu += floor_cpus.back();
            best.floor = std::min(best.floor, s);
        };
        double tool_seconds = 0;
        if (tool_first) {
            tool_seconds = tool_round();
            floor_round();
        } else {
            floor_round();
            tool_seconds = tool_round();
        }
        tool_first = !tool_first;
        state.SetIterationTime(tool_seconds);
    }
    const double rounds = double(state.iterations());
    state.counters["tool buttons/s"] = buttons * rounds / tool_total;
    state.counters["floor buttons/s"] = buttons * rounds / floor_total;
    state.counters["tool/floor"] = floor_total / tool_total;
    // What `jobs` cores of its own would give: buttons over CPU seconds, times the workers.
    state.counters["tool buttons/s on idle cores"] = buttons * rounds / tool_cpu * jobs;
    // Time over the floor's: the CPU each spends, which the load of a shared machine leaves alone.
    state.counters["tool/floor time"] = tool_total / floor_total;
    state.counters["tool/floor cpu"] = tool_cpu / floor_cpu;
    // The same over the middle rounds: a shared machine's bursts of load skew the means.
    state.counters["tool/floor time median"] = median(tool_times) / median(floor_times);
    state.counters["tool/floor cpu median"] = median(tool_cpus) / median(floor_cpus);
}

void BM_Batch5000(benchmark::State& state) {
    compare_with_floor(state, kButtons, int(state.range(0)),
                       state.range(1) ? qv::ButtonFormat::Png : qv::ButtonFormat::Bmp, false);
}
BENCHMARK(BM_Batch5000)
    ->ArgNames({"jobs", "png"})
    ->ArgsProduct({{1, 2}, {0, 1}})
    ->Iterations(4)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The tool's default: one worker per core.
void BM_Batch300Replacing(benchmark::State& state) {
    compare_with_floor(state, kSmallRun, std::max(1, int(std::thread::hardware_concurrency())),
                       qv::ButtonFormat::Bmp, true);
}
BENCHMARK(BM_Batch300Replacing)->Iterations(30)->UseManualTime()->Unit(benchmark::kMillisecond);

void print_best() {
    for (const auto& [key, best] : g_best) {
        const auto& [buttons, jobs, png] = key;
        std::printf(
            "%d buttons, jobs %d, %s, best rounds: tool %.0f buttons/s, plain-write floor %.0f "
            "buttons/s, tool/floor %.2f\n",
            buttons, jobs, png ? "PNG" : "BMP", buttons / best.tool, buttons / best.floor,
            best.floor / best.tool);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int status = run_benchmarks<QGuiApplication>(argc, argv);
    print_best();
    return status;
}
