// Reading a style file: parsing a full style, and the whole read from disk (open, read, parse).
#include "core/io/style_file.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

// Every key present, a colour held as box text, a relative picture: the most a reader does.
const QByteArray kFullStyle = R"({
  "quorvane_style": 1,
  "font": "DejaVu Sans",
  "size": 14,
  "bold": true,
  "italic": true,
  "underline": true,
  "color": [200, "120.5", " 7"],
  "align": "right",
  "margin_left": 1,
  "margin_right": 3,
  "y": 21,
  "shadow": true,
  "outline": true,
  "3d": true,
  "background": "buttons/steel.bmp",
  "format": "png"
}
)";

void BM_ParseStyle(benchmark::State& state) {
    const QString folder = QStringLiteral("/styles");
    for (auto _ : state) {
        auto read = qv::parse_style(kFullStyle, folder);
        if (!read) state.SkipWithError("refused");
        benchmark::DoNotOptimize(read);
    }
}
BENCHMARK(BM_ParseStyle);

void BM_ReadStyleFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("look.qvstyle"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(kFullStyle) != kFullStyle.size())
        state.SkipWithError("cannot write the style");
    file.close();
    for (auto _ : state) {
        auto read = qv::read_style_file(path);
        if (!read) state.SkipWithError("refused");
        benchmark::DoNotOptimize(read);
    }
}
BENCHMARK(BM_ReadStyleFile);

void BM_WriteStyleJson(benchmark::State& state) {
    const qv::StyleSettings style =
        qv::parse_style(kFullStyle, QStringLiteral("/styles"))->settings;
    for (auto _ : state)
        benchmark::DoNotOptimize(qv::style_to_json(style, QStringLiteral("/styles")));
}
BENCHMARK(BM_WriteStyleJson);

}  // namespace

BENCHMARK_MAIN();
