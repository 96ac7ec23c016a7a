#pragma once
// What every fuzz target shares: an offscreen application for fonts, and a loud stop on a broken
// invariant so that libFuzzer keeps the input.
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

inline void fuzz_start_gui() {
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
}

#define FUZZ_CHECK(cond)                                                                       \
    do {                                                                                       \
        if (!(cond)) {                                                                         \
            std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)
