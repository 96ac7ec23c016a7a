// "Make all buttons" in the window, through its real handler: 10,000 labels on a 150 x 56
// background with every effect on, the list selection, the entry's redraw, events processed
// before and after every file, and an atomic bitmap write per label.
#include "bench_main.h"
#include "scripted_platform.h"
#include "window/form_main.h"
#include "window/platform_services.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QStringListModel>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

void BM_WindowBatch(benchmark::State& state) {
    const int count = int(state.range(0));
    QTemporaryDir folder;
    const QString background = folder.filePath(QStringLiteral("back.png"));
    QImage picture(150, 56, QImage::Format_RGB32);
    for (int y = 0; y < 56; ++y)
        for (int x = 0; x < 150; ++x) picture.setPixel(x, y, qRgb(40 + x, 60 + 2 * y, 120));
    picture.save(background);
    QStringList labels;
    for (int i = 0; i < count; ++i) labels << QStringLiteral("Button %1").arg(i);

    ScriptedPlatform platform;
    Form_Main form(platform);
    form.Form_Load();
    form.show();
    platform.file_answers.push_back(background);
    form.Image_loadbutton_MouseUp(1, 0, 0, 0);
    form.effet1_on = form.effet2_on = form.effet3_on = qv::kTrue;
    form.List1_items->setStringList(labels);
    QDir().mkpath(folder.filePath(QStringLiteral("out")));
    form.output_directory = folder.filePath(QStringLiteral("out"));

    const std::clock_t cpu_start = std::clock();
    for (auto _ : state) form.Image_Make_MouseUp(1, 0, 0, 0);
    const double cpu_seconds = double(std::clock() - cpu_start) / CLOCKS_PER_SEC;

    if (!platform.messages.isEmpty()) state.SkipWithError("the run stopped with a message");
    state.counters["buttons_per_s"] =
        benchmark::Counter(double(count) * double(state.iterations()), benchmark::Counter::kIsRate);
    // On a machine shared with other work the processor time tells the cost better.
    state.counters["buttons_per_cpu_s"] = double(count) * double(state.iterations()) / cpu_seconds;
    state.SetLabel("150x56, all effects, atomic BMP writes");
}
BENCHMARK(BM_WindowBatch)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    return run_benchmarks<QApplication>(argc, argv);
}
