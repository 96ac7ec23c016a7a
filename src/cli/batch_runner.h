#pragma once
// The batch run of the command line tool: composes, encodes and stages the buttons on several
// workers and commits them strictly in label order, so the files never depend on the number of
// workers. A failure at label k leaves labels before k written and nothing after k.
#include "core/io/button_output.h"
#include "core/render/button_style.h"
#include "core/render/canvas.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace qv::cli {

struct BatchRun {
    QStringList labels;
    ButtonStyle style;  // shared by every button; label_text is set per label
    Canvas background;  // the picture canvas, or the blank one
    QString out_dir;
    ButtonFormat format = ButtonFormat::Bmp;
    int jobs = 1;
    // Named stages every button under a hidden temporary name, as on file systems without
    // nameless files, so that way can be tried anywhere.
    Staging staging = Staging::Nameless;
    // Called after each button is committed: in label order, one call at a time, from whichever
    // worker commits. Gets the button's image only when `want_images` is set (the contact sheet).
    std::function<void(qsizetype index, const QImage& image)> on_committed;
    bool want_images = false;
};

struct BatchOutcome {
    qsizetype written = 0;
    std::optional<QString> failure;  // names the path and the reason
};

BatchOutcome run_batch(const BatchRun& run);

// How far workers may run ahead of the committer: enough to keep them busy, few enough that
// memory (and the files held open) does not grow with the list.
int lookahead_for(int jobs);

}  // namespace qv::cli
