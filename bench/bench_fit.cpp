// Labels made to fit, against labels drawn as the style places them, through the whole tool in
// one process: 5,000 labels on the 150x56 gradient picture, a third of them too wide for it at
// the style's size. Each iteration runs every variant once, in turn, so that all meet the same
// state of a shared machine; the counters are rates over the plain run's. Fitting should keep at
// least half the plain rate, stretching the background should add at most a fifth to the time.
#include "bench_main.h"
#include "bench_pictures.h"
#include "cli/tool.h"

#include <benchmark/benchmark.h>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <unistd.h>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kLabels = 5000;

struct Files {
    QTemporaryDir root{qEnvironmentVariable("QUORVANE_BENCH_DIR", QDir::tempPath()) +
                       QStringLiteral("/bench_fit-XXXXXX")};
    QString picture = root.filePath(QStringLiteral("back.png"));
    QString labels = root.filePath(QStringLiteral("labels.txt"));
    int round = 0;

    Files() {
        gradient_button_picture().save(picture);
        static const char* const short_words[] = {"Home", "News", "Contact", "Shop", "Help"};
        static const char* const long_words[] = {"Einstellungsverwaltung", "Datenschutzerklärung",
                                                 "Nutzungsbedingungen", "Barrierefreiheit"};
        QByteArray list;
        for (int i = 0; i < kLabels; ++i) {
            list += i % 3 == 0 ? long_words[i % 4] : short_words[i % 5];
            list += ' ' + QByteArray::number(i) + '\n';
        }
        QFile file(labels);
        if (!file.open(QIODevice::WriteOnly) || file.write(list) != list.size()) std::abort();
    }

    // A new folder every round, earlier writes flushed, nothing deleted until the end.
    QString fresh() {
        const QString dir = root.filePath(QStringLiteral("out-%1").arg(++round));
        QDir().mkpath(dir);
        ::sync();
        return dir;
    }
};

Files& files() {
    static Files f;
    return f;
}

struct Spent {
    double seconds;
    double cpu;
};

// One run of the tool with the style's options and `extra`.
Spent tool_run(benchmark::State& state, const QStringList& extra) {
    Files& f = files();
    const QStringList args =
        QStringList{"--labels", f.labels,    "--out",       f.fresh(), "--background",
                    f.picture,  "--font",    "DejaVu Sans", "--size",  "12",
                    "--shadow", "--outline", "--quiet",     "--jobs",  "2"} +
        extra;
    std::FILE* sink = std::fopen("/dev/null", "w");
    const double cpu = cpu_seconds();
    const auto start = std::chrono::steady_clock::now();
    const int status = qv::cli::run_tool(args, sink, sink);
    const double s =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::fclose(sink);
    if (status != 0) state.SkipWithError("the tool failed");
    return {s, cpu_seconds() - cpu};
}

// Runs `variants` (the first the plain run) in turn each iteration, the order rotating; the
// benchmark's time is the plain run's, and each variant's rate over it is a counter.
void compare(benchmark::State& state,
             const std::vector<std::pair<std::string, QStringList>>& variants) {
    std::vector<double> totals(variants.size(), 0.0), cpu(variants.size(), 0.0);
    size_t first = 0;
    for (auto _ : state) {
        std::vector<double> seconds(variants.size());
        for (size_t n = 0; n < variants.size(); ++n) {
            const size_t k = (first + n) % variants.size();
            const Spent spent = tool_run(state, variants[k].second);
            seconds[k] = spent.seconds;
            totals[k] += spent.seconds;
            cpu[k] += spent.cpu;
        }
        first = (first + 1) % variants.size();
        state.SetIterationTime(seconds[0]);
    }
    const double rounds = double(state.iterations());
    state.counters[variants[0].first + " labels/s"] = kLabels * rounds / totals[0];
    for (size_t k = 1; k < variants.size(); ++k) {
        const std::string& name = variants[k].first;
        state.counters[name + " labels/s"] = kLabels * rounds / totals[k];
        state.counters[name + " rate/plain"] = totals[0] / totals[k];
        state.counters[name + " cpu/plain"] = cpu[k] / cpu[0];
    }
}

void BM_FitAgainstNone(benchmark::State& state) {
    compare(state, {{"none", {"--fit", "none"}},
                    {"shrink", {"--fit", "shrink"}},
                    {"wrap", {"--fit", "wrap"}}});
}
BENCHMARK(BM_FitAgainstNone)->Iterations(6)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_StretchAgainstNone(benchmark::State& state) {
    compare(state, {{"plain", {}},
                    {"scale", {"--stretch", "20,20"}},
                    {"tile", {"--stretch", "20,20", "--stretch-mode", "tile"}}});
}
BENCHMARK(BM_StretchAgainstNone)->Iterations(6)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return run_benchmarks<QGuiApplication>(argc, argv);
}
