// PNG encoding of buttons: Qt's writer (zlib's default level, libpng's filter choice) against the
// project's own writer in several settings, on 150x56 buttons with shadow, outline and 3D. Prints
// each encoder's size next to Qt's, and the size ImageMagick's `convert x.bmp x.png` gives for the
// same pixels (when ImageMagick is installed).
#include "bench_main.h"
#include "bench_pictures.h"
#include "core/io/bmp_writer.h"
#include "core/io/picture_loader.h"
#include "core/io/png_writer.h"
#include "core/render/composer.h"
#include "core/render/text_renderer.h"

#include <benchmark/benchmark.h>
#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kButtons = 200;
const std::string kQt = "Qt (zlib default level, libpng filters)";

const std::vector<QImage>& buttons() {
    static const std::vector<QImage> images = [] {
        const qv::Canvas back =
            qv::Canvas::from_picture(gradient_button_picture(), qv::kWindowBackground);
        qv::Canvas preview = qv::Canvas::make(back.image.size(), qv::kWindowBackground);
        qv::ButtonStyle s;
        s.font_name = QStringLiteral("DejaVu Sans");
        s.effet1_on = s.effet2_on = s.effet3_on = qv::kTrue;
        qv::set_label_font(preview, s);
        s.text_y = qv::centred_text_y(preview.height(), qv::line_height(preview));
        static const char* const words[] = {"Home",     "News", "Contact",  "About us",
                                            "Products", "Help", "Download", "Shop"};
        std::vector<QImage> list;
        for (int i = 0; i < kButtons; ++i) {
            s.label_text = QStringLiteral("%1 %2").arg(words[i % 8]).arg(i);
            qv::compose_button(preview, back, s);
            list.push_back(preview.image.copy());
        }
        return list;
    }();
    return images;
}

QByteArray qt_png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

std::map<std::string, qint64> g_sizes;

void measure(benchmark::State& state, const std::string& name,
             const std::function<QByteArray(const QImage&)>& encode) {
    qint64 bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (const QImage& image : buttons()) bytes += encode(image).size();
    }
    g_sizes[name] = bytes;
    state.counters["bytes/button"] = double(bytes) / kButtons;
    state.counters["buttons/s"] =
        benchmark::Counter(double(kButtons), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_QtPng(benchmark::State& state) {
    measure(state, kQt, qt_png);
}
BENCHMARK(BM_QtPng)->Unit(benchmark::kMillisecond);

// Arguments: libdeflate's level, then the filter: 5 picks one per row, 0 to 4 is that filter on
// every row.
void BM_OwnPng(benchmark::State& state) {
    qv::PngSettings s;
    s.level = int(state.range(0));
    s.adaptive = state.range(1) == 5;
    s.filter = qv::PngFilter(s.adaptive ? 4 : state.range(1));
    static const char* const filters[] = {"none", "sub", "up", "average", "paeth", "adaptive"};
    const std::string name = "own level " + std::to_string(s.level) + " " + filters[state.range(1)];
    qv::PngEncoder encoder(s);
    measure(state, name, [&](const QImage& image) { return encoder.encode(image); });
}
BENCHMARK(BM_OwnPng)
    ->ArgNames({"level", "filter"})
    ->ArgsProduct({{1, 2, 4, 6}, {0, 1, 5}})
    ->Unit(benchmark::kMillisecond);

// ImageMagick's size for the same pixels, from the BMP the tool writes.
qint64 imagemagick_bytes() {
    QTemporaryDir dir;
    qint64 total = 0;
    for (int i = 0; i < kButtons; ++i) {
        const QString bmp = dir.filePath(QStringLiteral("%1.bmp").arg(i));
        const QString png = dir.filePath(QStringLiteral("%1.png").arg(i));
        QFile file(bmp);
        if (!file.open(QIODevice::WriteOnly)) return -1;
        file.write(qv::encode_bmp24(buttons()[size_t(i)]).value());
        file.close();
        if (QProcess::execute(QStringLiteral("convert"), {bmp, png}) != 0) return -1;
        total += QFile(png).size();
    }
    return total;
}

}  // namespace

int main(int argc, char** argv) {
    const int status = run_benchmarks<QGuiApplication>(argc, argv);
    const auto qt = g_sizes.find(kQt);
    for (const auto& [name, bytes] : g_sizes) {
        std::printf("%-42s %6.0f bytes/button", name.c_str(), double(bytes) / kButtons);
        if (qt != g_sizes.end())
            std::printf(" (%5.1f%% of Qt's)", 100.0 * double(bytes) / double(qt->second));
        std::printf("\n");
    }
    if (const qint64 im = imagemagick_bytes(); im > 0)
        std::printf("%-42s %6.0f bytes/button\n", "ImageMagick convert x.bmp x.png",
                    double(im) / kButtons);
    return status;
}
