#pragma once
// The main of a benchmark that draws: a Qt application (offscreen unless a platform is chosen)
// for the fonts and windows, then Google Benchmark with the remaining arguments.
#include <benchmark/benchmark.h>
#include <QByteArray>
#include <QtGlobal>

#include <sys/resource.h>

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

// The CPU time of the whole process so far: on a shared machine it shows what a run itself costs
// while other work takes turns on the cores.
inline double cpu_seconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](timeval t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}
