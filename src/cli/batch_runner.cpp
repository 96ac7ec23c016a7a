#include "cli/batch_runner.h"

#include "core/io/staged_file.h"
#include "core/render/composer.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace qv::cli {
namespace {

struct Slot {
    qsizetype index = -1;  // -1: empty
    StagedFile file;
    QString error;  // why it was not staged or not committed
    QImage image;
};

// No thread is set aside for committing: the worker that delivers a button takes the committer's
// role when nobody holds it and commits every button that is ready in label order. That spares a
// thread hand-off per button, which on two cores costs more than the renames themselves.
class Runner {
  public:
    explicit Runner(const BatchRun& run)
        : run_(run), slots_(static_cast<size_t>(window_for(run.jobs))) {}

    BatchOutcome go() {
        const int jobs = std::max(1, run_.jobs);
        std::vector<std::thread> workers;
        workers.reserve(static_cast<size_t>(jobs));
        for (int i = 0; i < jobs; ++i) workers.emplace_back([this] { work(); });
        for (auto& w : workers) w.join();
        slots_.clear();  // buttons staged after a failure must not appear
        return outcome_;
    }

  private:
    // Each worker has its own canvases: the core draws into them, nothing is shared.
    void work() {
        Canvas background = run_.background;
        background.image = run_.background.image.copy();
        Canvas preview = Canvas::make(background.image.size(), kWindowBackground);
        ButtonStyle style = run_.style;
        for (;;) {
            const qsizetype i = claim();
            if (i < 0) return;
            Slot slot;
            slot.index = i;
            style.label_text = run_.labels[i];
            // As the window does, a button whose drawing failed part way is saved as drawn.
            compose_button(preview, background, style);
            Result<StagedFile> staged =
                stage_button(preview.image, run_.out_dir, style.label_text, run_.format);
            if (staged)
                slot.file = std::move(*staged);
            else
                slot.error = staged.error();
            if (run_.want_images) slot.image = preview.image;
            deliver(std::move(slot));
        }
    }

    qsizetype claim() {
        std::unique_lock lock(mutex_);
        space_.wait(lock, [&] {
            return stopped_ || next_ >= run_.labels.size() ||
                   next_ < committed_ + static_cast<qsizetype>(slots_.size());
        });
        if (stopped_ || next_ >= run_.labels.size()) return -1;
        return next_++;
    }

    void deliver(Slot slot) {
        std::unique_lock lock(mutex_);
        if (stopped_) return;  // its file goes with it
        slots_[static_cast<size_t>(slot.index) % slots_.size()] = std::move(slot);
        if (committing_) return;  // the committer looks at this slot before it lets go
        committing_ = true;
        while (!stopped_) {
            Slot& next = slots_[static_cast<size_t>(committed_) % slots_.size()];
            if (next.index != committed_) break;
            Slot taken = std::move(next);
            next = Slot{};
            lock.unlock();
            if (taken.error.isEmpty()) {
                if (auto done = commit_file(std::move(taken.file)); !done)
                    taken.error = done.error();
            }
            const bool ok = taken.error.isEmpty();
            if (ok && run_.on_committed) run_.on_committed(taken.index, taken.image);
            lock.lock();
            if (!ok) {
                outcome_.failure = taken.error;
                stopped_ = true;
            } else {
                ++committed_;
                ++outcome_.written;
            }
            space_.notify_all();
        }
        committing_ = false;
    }

    const BatchRun& run_;
    std::mutex mutex_;
    std::condition_variable space_;  // the committer moved on, or the run stopped
    std::vector<Slot> slots_;
    qsizetype next_ = 0;
    qsizetype committed_ = 0;
    bool committing_ = false;
    bool stopped_ = false;
    BatchOutcome outcome_;
};

}  // namespace

int window_for(int jobs) {
    return std::clamp(4 * jobs, 4, 256);
}

BatchOutcome run_batch(const BatchRun& run) {
    return Runner(run).go();
}

}  // namespace qv::cli
