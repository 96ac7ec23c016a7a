#pragma once
// The main of a benchmark that draws: a Qt application (offscreen unless a platform is chosen)
// for the fonts and windows, then Google Benchmark with the remaining arguments.
#include <benchmark/benchmark.h>
#include <QByteArray>
#include <QtGlobal>

template <class Application>
int run_benchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qt_argc = 1;  // Qt would take options such as --reverse meant for the benchmark
    Application app(qt_argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
