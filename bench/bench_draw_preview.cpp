// Cost of one redraw of the previews, as the user triggers at every style change and at every
// mouse move of a drag: the font preview, the background copy and up to 25 label passes.
#include "bench_main.h"
#include "core/render/composer.h"
#include "core/render/text_renderer.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

qv::ButtonStyle bench_style(bool effects) {
    qv::ButtonStyle s;
    s.font_name = QStringLiteral("DejaVu Sans");
    s.font_size = QStringLiteral("10");
    s.color_r = QStringLiteral("250");
    s.color_g = QStringLiteral("200");
    s.color_b = QStringLiteral("40");
    s.text_y = 20;
    const qv::Flag on = effects ? qv::kTrue : qv::kFalse;
    s.effet1_on = s.effet2_on = s.effet3_on = on;
    return s;
}

qv::Canvas bench_background() {
    qv::Canvas c = qv::Canvas::make({150, 56}, qv::kWindowBackground);
    for (int y = 0; y < 56; ++y)
        for (int x = 0; x < 150; ++x) c.image.setPixel(x, y, qRgb(40 + x, 60 + 2 * y, 120));
    return c;
}

void BM_DrawPreview(benchmark::State& state) {
    const qv::ButtonStyle style = bench_style(state.range(0) != 0);
    const qv::Canvas background = bench_background();
    qv::Canvas preview = qv::Canvas::make({150, 56}, qv::kWindowBackground);
    qv::Canvas typo = qv::Canvas::make({150, 36}, qv::kPanelColour);
    for (auto _ : state) {
        const qv::PreviewResult r = qv::draw_preview(preview, typo, background, style);
        benchmark::DoNotOptimize(r);
    }
    state.SetLabel(state.range(0) ? "all effects (25 passes x 2 canvases)" : "no effect");
}
BENCHMARK(BM_DrawPreview)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The button alone: background copy, font, measurement and the passes.
void BM_ComposeButton(benchmark::State& state) {
    const qv::ButtonStyle style = bench_style(state.range(0) != 0);
    const qv::Canvas background = bench_background();
    qv::Canvas preview = qv::Canvas::make({150, 56}, qv::kWindowBackground);
    for (auto _ : state) benchmark::DoNotOptimize(qv::compose_button(preview, background, style));
}
BENCHMARK(BM_ComposeButton)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// For comparison: 25 passes as plain text output, the label shaped again at every pass.
void BM_DrawText25Passes(benchmark::State& state) {
    const qv::ButtonStyle style = bench_style(true);
    qv::Canvas preview = bench_background();
    qv::set_label_font(preview, style);
    const int ascent = QFontMetrics(preview.font, &preview.image).ascent();
    for (auto _ : state) {
        QPainter p(&preview.image);
        p.setFont(preview.font);
        for (int i = 0; i < 25; ++i) {
            p.setPen(QColor(i * 10, 0, 0));
            p.drawText(QPointF(20 + i % 3, 20 + ascent + i / 9), style.label_text);
        }
    }
}
BENCHMARK(BM_DrawText25Passes)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return run_benchmarks<QGuiApplication>(argc, argv);
}
