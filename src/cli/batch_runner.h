#pragma once
// The batch run of the command line tool: composes, encodes and stages the buttons on several
// workers and commits them strictly in label order, so the files never depend on the number of
// workers. A failure at a file leaves the files before it written and nothing after it.
#include "cli/button_looks.h"
#include "core/io/button_output.h"
#include "core/io/loss_report.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace qv::cli {

struct BatchRun {
    QStringList labels;
    QStringList names;              // each label's file name without extension; empty: the label
    std::vector<ButtonLook> looks;  // the main look first; a label's files are written in order
    // Placements decided before the run, [look][label]; a look without them (an empty vector) is
    // placed as it is drawn.
    std::vector<std::vector<PlacedLabel>> placed;
    QString out_dir;
    ButtonFormat format = ButtonFormat::Bmp;
    int jobs = 1;
    // Named stages every button under a hidden temporary name, as on file systems without
    // nameless files, so that way can be tried anywhere.
    Staging staging = Staging::Nameless;
    // Called after each label's files are committed: in label order, one call at a time, from
    // whichever worker commits. Gets the main button's image only when `want_images` is set (the
    // contact sheet).
    std::function<void(qsizetype index, const QImage& image)> on_committed;
    bool want_images = false;
    // How many bytes of files may wait staged ahead of the one committed next (on the disk, or in
    // its cache); 0: staged_ahead_budget() of the output folder's free space.
    qint64 staged_ahead_bytes = 0;
};

struct BatchOutcome {
    qsizetype written = 0;           // labels with all their files
    std::optional<QString> failure;  // names the path and the reason
    std::vector<LabelLoss> losses;   // of the labels written, in list order
    std::vector<UnfitLabel> unfit;   // of the labels written, fitted and still too wide
    std::vector<int> widths;         // of the labels written, the main look's button width
};

BatchOutcome run_batch(const BatchRun& run);

// How far workers may run ahead of the committer: enough to keep them busy, few enough that
// memory (and the files held open) does not grow with the list.
int lookahead_for(int jobs);

inline constexpr int kMaxWorkers = 64;
// Workers past the labels would idle, and past kMaxWorkers only take memory and switch; each
// holds canvases the size of the picture (`canvas_bytes`), so all of them together stay under
// 512 MiB. At least one.
int workers_for(int jobs, qsizetype labels, qint64 canvas_bytes);

// The bytes of the canvases one worker holds for `look`: its painter's, as wide as the widest
// button the look can make (its largest width, else the widest any stretch makes).
qint64 look_canvas_bytes(const ButtonLook& look);

// Files staged ahead take room the files committed before them may need: with `free_bytes` left
// on the disk, at most a quarter of it, and never more than 64 MiB. The next file to commit is
// always staged, whatever its size.
qint64 staged_ahead_budget(qint64 free_bytes);

}  // namespace qv::cli
