// PNG encoding of buttons over four kinds of picture (the flat sample pill, a vertical gradient, a
// photographic JPEG texture, a picture with alpha) and bench_batch's diagonal gradient, each
// button with shadow, outline and 3D: Qt's writer (zlib's default level, libpng's filter choice)
// against the project's own writer at several levels and filter rules. Ends with a table per
// picture: bytes and CPU time a button, and the size ImageMagick's `convert x.bmp x.png` gives
// for the same pixels (a PAM file for the picture with alpha, which a 24-bit bitmap cannot hold),
// when ImageMagick is installed.
#include "bench_main.h"
#include "bench_pictures.h"
#include "core/io/bmp_writer.h"
#include "core/io/png_writer.h"
#include "sample_pictures.h"

#include <benchmark/benchmark.h>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kButtons = 100;
constexpr int kPictures = 5;

struct Set {
    std::string name;
    std::vector<QImage> buttons;
};

const std::vector<Set>& sets() {
    static const std::vector<Set> all = [] {
        std::vector<Set> list;
        for (const samples::Picture& p : samples::pictures())
            list.push_back({p.name, samples::buttons(p.image, kButtons)});
        // And bench_batch's picture, so that its PNG rate goes with a size.
        list.push_back(
            {"diagonal gradient", samples::buttons(gradient_button_picture(), kButtons)});
        return list;
    }();
    return all;
}

double thread_cpu_seconds() {
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

struct Result {
    double bytes = 0;        // a button
    double cpu_seconds = 0;  // a button
};
std::map<std::string, std::map<std::string, Result>> g_results;  // by encoder, then picture

void measure(benchmark::State& state, const std::string& encoder,
             const std::function<QByteArray(const QImage&)>& encode) {
    const Set& set = sets()[size_t(state.range(0))];
    qint64 bytes = 0;
    const double start = thread_cpu_seconds();
    for (auto _ : state) {
        bytes = 0;
        for (const QImage& image : set.buttons) bytes += encode(image).size();
    }
    const double buttons = double(kButtons) * double(state.iterations());
    g_results[encoder][set.name] = {double(bytes) / kButtons,
                                    (thread_cpu_seconds() - start) / buttons};
    state.SetLabel(set.name);
    state.counters["bytes/button"] = double(bytes) / kButtons;
    state.counters["buttons/s"] =
        benchmark::Counter(double(kButtons), benchmark::Counter::kIsIterationInvariantRate);
}

const std::string kQt = "Qt's writer";

void BM_QtPng(benchmark::State& state) {
    measure(state, kQt, samples::qt_png);
}
BENCHMARK(BM_QtPng)
    ->ArgName("picture")
    ->DenseRange(0, kPictures - 1)
    ->Unit(benchmark::kMillisecond);

const char* const kRules[] = {"unfiltered", "libpng's per row", "by colours"};

std::string own_name(int level, qv::PngRows rows) {
    return "own, level " + std::to_string(level) + ", " + kRules[int(rows)];
}

const std::string kDefault = own_name(qv::PngSettings{}.level, qv::PngSettings{}.rows);

// Arguments: the picture, libdeflate's level, the rule (0 unfiltered rows, 1 libpng's choice per
// row, 2 unfiltered for drawn pictures and libpng's choice for photographs).
void BM_OwnPng(benchmark::State& state) {
    qv::PngSettings s;
    s.level = int(state.range(1));
    s.rows = qv::PngRows(state.range(2));
    s.filter = qv::PngFilter::None;
    qv::PngEncoder encoder(s);
    measure(state, own_name(s.level, s.rows),
            [&](const QImage& image) { return encoder.encode(image); });
}
BENCHMARK(BM_OwnPng)
    ->ArgNames({"picture", "level", "rule"})
    ->ArgsProduct({{0, 1, 2, 3, 4}, {4, 5, 6, 7}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond);

// ImageMagick 6 answers `convert -version` with its name; a stand-in of the same name may not.
QString imagemagick() {
    for (const QString& candidate :
         {QStringLiteral("/usr/bin/convert"), QStringLiteral("convert")}) {
        const QString program = QStandardPaths::findExecutable(candidate);
        if (program.isEmpty()) continue;
        QProcess version;
        version.start(program, {QStringLiteral("-version")});
        if (version.waitForFinished() && version.readAll().contains("ImageMagick")) return program;
    }
    return {};
}

// Straight RGBA as ImageMagick reads it, for the picture with alpha.
QByteArray pam(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGBA8888);
    QByteArray out = QStringLiteral(
                         "P7\nWIDTH %1\nHEIGHT %2\nDEPTH 4\nMAXVAL 255\n"
                         "TUPLTYPE RGB_ALPHA\nENDHDR\n")
                         .arg(image.width())
                         .arg(image.height())
                         .toLatin1();
    for (int y = 0; y < image.height(); ++y)
        out.append(reinterpret_cast<const char*>(image.constScanLine(y)), image.width() * 4);
    return out;
}

// ImageMagick's size a button for each picture, from files holding the same pixels.
void imagemagick_sizes() {
    const QString convert = imagemagick();
    QTemporaryDir dir;
    if (convert.isEmpty() || !dir.isValid()) return;
    for (const Set& set : sets()) {
        qint64 total = 0;
        for (int i = 0; i < kButtons; ++i) {
            const QImage& image = set.buttons[size_t(i)];
            const bool alpha = image.hasAlphaChannel();
            const QString in =
                dir.filePath(QStringLiteral("%1.%2").arg(i).arg(alpha ? "pam" : "bmp"));
            const QString png = dir.filePath(QStringLiteral("%1.png").arg(i));
            QFile file(in);
            if (!file.open(QIODevice::WriteOnly)) return;
            file.write(alpha ? pam(image) : qv::encode_bmp24(image).value());
            file.close();
            if (QProcess::execute(convert, {in, png}) != 0) return;
            total += QFile(png).size();
        }
        g_results["ImageMagick"][set.name] = {double(total) / kButtons, 0};
    }
}

void print_tables() {
    std::printf("\nBytes a button, and CPU time a button (ms), %d buttons a picture:\n", kButtons);
    std::printf("%-38s", "");
    for (const Set& set : sets()) std::printf(" | %-20s", set.name.c_str());
    std::printf("\n");
    for (const auto& [encoder, by_picture] : g_results) {
        std::printf("%-38s", encoder.c_str());
        for (const Set& set : sets()) {
            const auto it = by_picture.find(set.name);
            if (it == by_picture.end()) {
                std::printf(" | %-20s", "");
            } else if (it->second.cpu_seconds > 0) {
                std::printf(" | %7.0f  %6.3f ms   ", it->second.bytes,
                            it->second.cpu_seconds * 1e3);
            } else {
                std::printf(" | %7.0f              ", it->second.bytes);
            }
        }
        std::printf("\n");
    }
    // The README's table: the default writer against Qt's and ImageMagick's.
    std::printf("\n| picture | own: bytes | own: ms | Qt: bytes | Qt: ms | ImageMagick: bytes |\n");
    std::printf("|---|---:|---:|---:|---:|---:|\n");
    for (const Set& set : sets()) {
        const Result own = g_results[kDefault][set.name];
        const Result qt = g_results[kQt][set.name];
        const Result im = g_results["ImageMagick"][set.name];
        std::printf("| %s | %.0f | %.3f | %.0f | %.3f | %.0f |\n", set.name.c_str(), own.bytes,
                    own.cpu_seconds * 1e3, qt.bytes, qt.cpu_seconds * 1e3, im.bytes);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int status = run_benchmarks<QGuiApplication>(argc, argv);
    imagemagick_sizes();
    print_tables();
    return status;
}
