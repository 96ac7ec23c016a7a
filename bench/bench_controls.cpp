// The style controls under a quick hand: a drag of 1,000 mouse moves over the preview and 1,000
// keystrokes into a colour box, each delivered as a window event to the real handler, with its
// full redraw of both previews (and, for the drag, the yield after it). Offscreen.
#include "bench_main.h"
#include "scripted_platform.h"
#include "window/form_main.h"
#include "window/platform_services.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <utility>

namespace {

constexpr int kEvents = 1000;

// The window as a user has it: a 150 x 56 background loaded, effects on or off.
struct Window {
    QTemporaryDir folder;
    ScriptedPlatform platform;
    Form_Main form{platform};

    explicit Window(bool effects) {
        const QString background = folder.filePath(QStringLiteral("back.png"));
        QImage picture(150, 56, QImage::Format_RGB32);
        for (int y = 0; y < 56; ++y)
            for (int x = 0; x < 150; ++x) picture.setPixel(x, y, qRgb(40 + x, 60 + 2 * y, 120));
        picture.save(background);
        form.Form_Load();
        platform.file_answers.push_back(background);
        form.Image_loadbutton_MouseUp(1, 0, 0, 0);  // shows the preview canvas
        const qv::Flag on = effects ? qv::kTrue : qv::kFalse;
        form.effet1_on = form.effet2_on = form.effet3_on = on;
    }
};

const char* label(bool effects) {
    return effects ? "all effects" : "no effect";
}

void BM_PreviewDrag(benchmark::State& state) {
    Window w(state.range(0) != 0);
    qv::CanvasView* preview = w.form.Picture_previewscroll;
    if (!preview->isVisible()) state.SkipWithError("the preview canvas is not shown");
    const int draws_before = w.form.draw_count;
    for (auto _ : state) {
        for (int i = 0; i < kEvents; ++i) {
            // Up and down over the button and a little beyond it.
            const QPointF pos(40, -10 + (i * 7) % 76);
            QMouseEvent move(QEvent::MouseMove, pos, preview->mapToGlobal(pos), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(preview, &move);
        }
    }
    const double events = double(kEvents) * double(state.iterations());
    if (w.form.draw_count - draws_before != int(events))
        state.SkipWithError("a move did not redraw");
    state.counters["events_per_s"] = benchmark::Counter(events, benchmark::Counter::kIsRate);
    state.SetLabel(label(state.range(0) != 0));
}
BENCHMARK(BM_PreviewDrag)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ColourTyping(benchmark::State& state) {
    Window w(state.range(0) != 0);
    QLineEdit* box = w.form.Text_R;
    box->setFocus();
    box->end(false);
    // Every keystroke changes the text: "255" -> "25" -> "250" -> "25" -> "255" -> ...
    const std::pair<Qt::Key, QString> keys[] = {{Qt::Key_Backspace, QString()},
                                                {Qt::Key_0, QStringLiteral("0")},
                                                {Qt::Key_Backspace, QString()},
                                                {Qt::Key_5, QStringLiteral("5")}};
    const int draws_before = w.form.draw_count;
    for (auto _ : state) {
        for (int i = 0; i < kEvents; ++i) {
            const auto& [key, text] = keys[i % 4];
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
            QCoreApplication::sendEvent(box, &press);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
            QCoreApplication::sendEvent(box, &release);
        }
    }
    const double events = double(kEvents) * double(state.iterations());
    if (w.form.draw_count - draws_before != int(events))
        state.SkipWithError("a keystroke did not redraw");
    state.counters["events_per_s"] = benchmark::Counter(events, benchmark::Counter::kIsRate);
    state.SetLabel(label(state.range(0) != 0));
}
BENCHMARK(BM_ColourTyping)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    return run_benchmarks<QApplication>(argc, argv);
}
