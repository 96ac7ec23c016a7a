#include "cli/batch_runner.h"

#include "core/io/staged_file.h"
#include "core/render/button_painter.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace qv::cli {
namespace {

// A label's buttons, composed and staged, waiting for their turn to be committed.
struct PendingButton {
    qsizetype index = -1;           // -1: no label here
    std::vector<StagedFile> files;  // in look order, up to the first that failed
    QString error;                  // why a file was not staged or not committed
    QImage image;
    std::vector<LabelInk> ink;  // in look order
};

// No thread is set aside for committing: the worker that delivers a button takes the committer's
// role when nobody holds it and commits every button that is ready in label order. That spares a
// thread hand-off per button, which on two cores costs more than the renames themselves.
class Runner {
  public:
    explicit Runner(const BatchRun& batch)
        : batch_(batch), pending_(static_cast<size_t>(lookahead_for(batch.jobs))) {}

    BatchOutcome run() {
        const int jobs = std::max(1, batch_.jobs);
        std::vector<std::thread> workers;
        workers.reserve(static_cast<size_t>(jobs));
        for (int i = 0; i < jobs; ++i) workers.emplace_back([this] { work(); });
        for (auto& w : workers) w.join();
        pending_.clear();  // buttons staged after a failure must not appear
        return outcome_;
    }

  private:
    // Each worker has its own canvases and encoder: the core draws into them, nothing is shared.
    void work() {
        std::vector<ButtonPainter> painters;
        std::vector<ButtonStyle> styles;
        for (const ButtonLook& look : batch_.looks) {
            painters.emplace_back(look.background, look.transparent);
            styles.push_back(look.style);
        }
        ButtonEncoder encoder(batch_.format);
        for (;;) {
            const qsizetype i = claim();
            if (i < 0) return;
            PendingButton button;
            button.index = i;
            const QString& name = batch_.names.isEmpty() ? batch_.labels[i] : batch_.names[i];
            for (size_t k = 0; k < painters.size(); ++k) {
                // As the window does, a button whose drawing failed part way is saved as drawn.
                styles[k].label_text = batch_.labels[i];
                const QImage& image = painters[k].paint(styles[k], &button.ink.emplace_back());
                if (k == 0 && batch_.want_images) button.image = image;
                Result<StagedFile> staged = stage_button(
                    image, batch_.out_dir, name + batch_.looks[k].suffix, encoder, batch_.staging);
                if (!staged) {
                    button.error = staged.error();
                    break;
                }
                button.files.push_back(std::move(*staged));
            }
            deliver(std::move(button));
        }
    }

    qsizetype claim() {
        std::unique_lock lock(mutex_);
        room_.wait(lock, [&] {
            return stopped_ || next_ >= batch_.labels.size() ||
                   next_ < committed_ + static_cast<qsizetype>(pending_.size());
        });
        if (stopped_ || next_ >= batch_.labels.size()) return -1;
        return next_++;
    }

    void deliver(PendingButton button) {
        std::unique_lock lock(mutex_);
        if (stopped_) return;  // its files go with it
        pending_[static_cast<size_t>(button.index) % pending_.size()] = std::move(button);
        if (committing_) return;  // the committer looks at this place before it lets go
        committing_ = true;
        while (!stopped_) {
            PendingButton& next = pending_[static_cast<size_t>(committed_) % pending_.size()];
            if (next.index != committed_) break;
            PendingButton taken = std::move(next);
            next = PendingButton{};
            lock.unlock();
            // A label's files appear in look order; a failure keeps those before it and lets the
            // rest go unwritten.
            for (StagedFile& file : taken.files) {
                if (Result<void> done = commit_file(std::move(file)); !done) {
                    taken.error = done.error();
                    break;
                }
            }
            taken.files.clear();
            const bool ok = taken.error.isEmpty();
            if (ok && batch_.on_committed) batch_.on_committed(taken.index, taken.image);
            lock.lock();
            if (!ok) {
                outcome_.failure = taken.error;
                stopped_ = true;
            } else {
                ++committed_;
                ++outcome_.written;
                for (size_t k = 0; k < taken.ink.size(); ++k) {
                    const LabelInk& ink = taken.ink[k];
                    if (ink.overflow.any() || !ink.missing.isEmpty())
                        outcome_.losses.push_back(
                            {batch_.labels[taken.index], ink, batch_.looks[k].suffix});
                }
            }
            room_.notify_all();
        }
        committing_ = false;
    }

    const BatchRun& batch_;
    std::mutex mutex_;
    std::condition_variable room_;  // the committer moved on, or the run stopped
    std::vector<PendingButton> pending_;
    qsizetype next_ = 0;
    qsizetype committed_ = 0;
    bool committing_ = false;
    bool stopped_ = false;
    BatchOutcome outcome_;
};

}  // namespace

int lookahead_for(int jobs) {
    return std::clamp(4 * jobs, 4, 256);
}

BatchOutcome run_batch(const BatchRun& run) {
    return Runner(run).run();
}

}  // namespace qv::cli
