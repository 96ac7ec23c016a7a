// Start-up of the window program: from creating the main window to its being shown, and the
// font catalogue that follows (one list entry, one splash update and one event pass per font).
#include "bench_main.h"
#include "window/form_main.h"
#include "window/platform_services.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

// The desktop's fonts (or a given list), and the moment start-up asks for them: the main window
// is shown by then and the catalogue begins.
class TimedFonts final : public qv::PlatformServices {
  public:
    explicit TimedFonts(QStringList fonts) : fonts_(std::move(fonts)) {}
    Clock::time_point asked;

    QStringList font_families() override {
        asked = Clock::now();
        return fonts_;
    }
    std::optional<QString> open_file(QWidget*, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> save_file(QWidget*, const QString&, const QString&) override {
        return std::nullopt;
    }
    QString program_folder() override { return QCoreApplication::applicationDirPath(); }
    QString data_folder() override { return program_folder(); }
    QString pictures_folder() override { return QDir::homePath() + QStringLiteral("/Pictures"); }
    QStringList mounted_volumes() override { return {QStringLiteral("/")}; }
    void run_modal(QDialog&) override {}
    void show_message(QWidget*, const QString&) override {}
    void end_program() override {}

  private:
    QStringList fonts_;
};

// 0: the installed fonts; otherwise that many names, the installed ones repeated.
QStringList bench_fonts(int count) {
    const QStringList installed = QFontDatabase::families();
    if (count == 0 || installed.isEmpty()) return installed;
    QStringList fonts;
    while (fonts.size() < count) fonts << installed.at(fonts.size() % installed.size());
    return fonts;
}

double seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Phase 0: creation to the shown main window. Phase 1: the font catalogue to the end of start-up.
void BM_Startup(benchmark::State& state) {
    const int phase = static_cast<int>(state.range(0));
    TimedFonts platform(bench_fonts(static_cast<int>(state.range(1))));
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        Form_Main form(platform);
        form.Form_Load();
        const Clock::time_point end = Clock::now();
        state.SetIterationTime(seconds(phase == 0 ? platform.asked - start : end - platform.asked));
    }
    state.counters["fonts"] = static_cast<double>(platform.font_families().size());
}
BENCHMARK(BM_Startup)
    ->ArgNames({"phase", "fonts"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({1, 100})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    return run_benchmarks<QApplication>(argc, argv);
}
