#include "cli/batch_runner.h"

#include "core/io/message_text.h"
#include "core/io/output_path.h"
#include "core/io/staged_file.h"
#include "core/render/composer.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace qv::cli {
namespace {

Failure not_encoded(const QString& path) {
    return Failure{QStringLiteral("Cannot write %1: the button picture could not be encoded")
                       .arg(shown_in_message(path))};
}

struct Slot {
    qsizetype index = -1;           // -1: empty
    std::vector<StagedFile> files;  // in look order, up to the first that failed
    QString error;
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
        // Buttons staged after a failure must not appear.
        for (auto& slot : slots_)
            if (slot.index >= 0)
                for (const StagedFile& file : slot.files) discard_file(file);
        return outcome_;
    }

  private:
    // Each worker has its own canvases: the core draws into them, nothing is shared.
    void work() {
        std::vector<LookPainter> painters(run_.looks.begin(), run_.looks.end());
        const QString extension = extension_for(run_.format);
        ButtonEncoder encoder(run_.format);
        for (;;) {
            const qsizetype i = claim();
            if (i < 0) return;
            Slot slot;
            slot.index = i;
            const QString& name = run_.names.isEmpty() ? run_.labels[i] : run_.names[i];
            for (size_t k = 0; k < painters.size() && slot.error.isEmpty(); ++k) {
                const QImage& image = painters[k].paint(run_.labels[i]);
                if (k == 0 && run_.want_images) slot.image = image;
                const auto path = output_path(run_.out_dir, name + run_.looks[k].suffix, extension);
                if (!path) {
                    slot.error = path.error();
                    break;
                }
                const QByteArray bytes = encoder.encode(image);
                auto staged = bytes.isEmpty() ? Result<StagedFile>(not_encoded(*path))
                                              : stage_file(*path, bytes);
                if (staged)
                    slot.files.push_back(std::move(*staged));
                else
                    slot.error = staged.error();
            }
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
        if (stopped_) {
            for (const StagedFile& file : slot.files) discard_file(file);
            return;
        }
        slots_[static_cast<size_t>(slot.index) % slots_.size()] = std::move(slot);
        if (committing_) return;  // the committer looks at this slot before it lets go
        committing_ = true;
        while (!stopped_) {
            Slot& next = slots_[static_cast<size_t>(committed_) % slots_.size()];
            if (next.index != committed_) break;
            Slot taken = std::move(next);
            next = Slot{};
            lock.unlock();
            for (size_t k = 0; k < taken.files.size(); ++k) {
                if (auto done = commit_file(taken.files[k]); !done) {
                    taken.error = done.error();
                    for (size_t rest = k + 1; rest < taken.files.size(); ++rest)
                        discard_file(taken.files[rest]);
                    break;
                }
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
