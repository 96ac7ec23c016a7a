#include "cli/batch_runner.h"

#include "core/io/message_text.h"
#include "core/io/staged_file.h"
#include "core/render/button_painter.h"

#include <QFile>

#include <sys/statvfs.h>
#include <algorithm>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

namespace qv::cli {
namespace {

// A label's buttons, composed and staged, waiting for their turn to be committed.
struct PendingButton {
    qsizetype index = -1;           // -1: no label here
    std::vector<StagedFile> files;  // in look order, up to the first that failed
    qint64 bytes = 0;               // of `files`
    QString error;                  // why a file was not staged or not committed
    QImage image;
    std::vector<LabelLoss> losses;  // in look order, those with a loss
    std::vector<UnfitLabel> unfit;
    int width = 0;  // the main look's
};

// No thread is set aside for committing: the worker that delivers a button takes the committer's
// role when nobody holds it and commits every button that is ready in label order. That spares a
// thread hand-off per button, which on two cores costs more than the renames themselves.
class Runner {
  public:
    explicit Runner(const BatchRun& batch)
        : batch_(batch),
          pending_(static_cast<size_t>(lookahead_for(batch.jobs))),
          budget_(batch.staged_ahead_bytes > 0 ? batch.staged_ahead_bytes
                                               : staged_ahead_budget(free_bytes(batch.out_dir))) {}

    // Never more workers than labels, and a single worker is the calling thread: a one-label run
    // starts no thread, and draws with the fonts the caller has loaded already (Qt keeps them per
    // thread).
    BatchOutcome run() {
        const int jobs = static_cast<int>(
            std::clamp<qsizetype>(batch_.jobs, 1, std::max<qsizetype>(1, batch_.labels.size())));
        std::vector<std::thread> workers;
        if (jobs == 1) {
            work();
        } else {
            workers.reserve(static_cast<size_t>(jobs));
            try {
                for (int i = 0; i < jobs; ++i) workers.emplace_back([this] { work(); });
            } catch (const std::system_error&) {
                // The system gives fewer threads than asked for: the ones started do the work.
                if (workers.empty()) {
                    outcome_.failure = QStringLiteral("Cannot start a worker thread");
                    return outcome_;
                }
            }
        }
        for (auto& w : workers) w.join();
        pending_.clear();  // buttons staged after a failure must not appear
        return outcome_;
    }

  private:
    static qint64 free_bytes(const QString& folder) {
        struct statvfs st {};
        if (::statvfs(QFile::encodeName(folder).constData(), &st) != 0)
            return std::numeric_limits<qint64>::max();
        return qint64(st.f_bavail) * qint64(st.f_frsize);
    }

    // A worker that runs out of memory stops the run as a failed write would.
    void work() {
        try {
            work_on();
        } catch (const std::bad_alloc&) {
            stop(QStringLiteral("Out of memory while making the buttons"));
        }
    }

    void stop(const QString& why) {
        std::lock_guard lock(mutex_);
        if (!stopped_) outcome_.failure = why;
        stopped_ = true;
        room_.notify_all();
    }

    // Each worker has its own canvases and encoder: the core draws into them, and reads the
    // pictures every worker shares.
    void work_on() {
        std::vector<ButtonPainter> painters;
        std::vector<ButtonStyle> styles;
        std::vector<Canvas> scratch;  // measured on when a look's labels are placed
        for (const ButtonLook& look : batch_.looks) {
            painters.emplace_back(look.background, look.transparent, look.layout);
            styles.push_back(look.style);
            scratch.push_back(Canvas::make({1, 1}, kWindowBackground));
        }
        ButtonEncoder encoder(batch_.format);
        for (;;) {
            const qsizetype i = claim();
            if (i < 0) return;
            PendingButton button;
            button.index = i;
            const QString& label = batch_.labels[i];
            const QString& name = batch_.names.isEmpty() ? label : batch_.names[i];
            int main_width = 0;
            for (size_t k = 0; k < painters.size(); ++k) {
                // As the window does, a button whose drawing failed part way is saved as drawn.
                const ButtonLook& look = batch_.looks[k];
                styles[k].label_text = label;
                LabelLoss loss{label, LabelInk{}, look.suffix};
                Placement placed;
                const QImage* image = nullptr;
                if (k < batch_.placed.size() && !batch_.placed[k].empty()) {
                    placed = unpacked(batch_.placed[k][size_t(i)], label);
                    image = &painters[k].paint(styles[k], placed, &loss.ink);
                } else if (look.main_width) {
                    placed = place_on_look(scratch[k], look, styles[k], main_width);
                    image = &painters[k].paint(styles[k], placed, &loss.ink);
                } else if (look.places()) {
                    image = &painters[k].paint(styles[k], &loss.ink, &placed);
                } else {
                    // Placing a label measures it: drawn as the style says, it need not be.
                    image = &painters[k].paint(styles[k], &loss.ink);
                    placed.width = look.background.width();
                }
                if (k == 0) main_width = button.width = placed.width;
                if (look.places() && !placed.fits)
                    button.unfit.push_back({label, look.suffix, placed.size});
                // A canvas that could not be allocated leaves no image: an empty bitmap must not
                // pass for the button.
                if (image->isNull()) {
                    button.error = QStringLiteral("Out of memory for the button of \"%1\"")
                                       .arg(shown_in_message(label));
                    break;
                }
                if (loss.ink.overflow.any() || !loss.ink.missing.isEmpty())
                    button.losses.push_back(std::move(loss));
                if (k == 0 && batch_.want_images) button.image = *image;
                Result<StagedFile> staged = stage_button(*image, batch_.out_dir, name + look.suffix,
                                                         encoder, batch_.staging, &recycler_);
                if (!staged) {
                    button.error = staged.error();
                    break;
                }
                button.bytes += staged->size();
                button.files.push_back(std::move(*staged));
            }
            deliver(std::move(button));
        }
    }

    // A label may be started when there is a place for it and its files are likely to fit the
    // budget beside those staged and being staged (each as large as the largest yet); the next
    // label to commit may always start.
    bool may_start() const {
        if (next_ >= committed_ + static_cast<qsizetype>(pending_.size())) return false;
        if (next_ == committed_) return true;
        return largest_ > 0 && staged_bytes_ + (in_flight_ + 1) * largest_ <= budget_;
    }

    qsizetype claim() {
        std::unique_lock lock(mutex_);
        room_.wait(lock, [&] { return stopped_ || next_ >= batch_.labels.size() || may_start(); });
        if (stopped_ || next_ >= batch_.labels.size()) return -1;
        ++in_flight_;
        return next_++;
    }

    void deliver(PendingButton button) {
        std::unique_lock lock(mutex_);
        --in_flight_;
        if (stopped_) return;  // its files go with it
        staged_bytes_ += button.bytes;
        largest_ = std::max(largest_, button.bytes);
        room_.notify_all();  // the largest size may be known now
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
                if (Result<void> done = commit_file(std::move(file), &recycler_); !done) {
                    taken.error = done.error();
                    break;
                }
            }
            taken.files.clear();
            const bool ok = taken.error.isEmpty();
            if (ok && batch_.on_committed) batch_.on_committed(taken.index, taken.image);
            lock.lock();
            staged_bytes_ -= taken.bytes;
            if (!ok) {
                outcome_.failure = taken.error;
                stopped_ = true;
            } else {
                ++committed_;
                ++outcome_.written;
                for (LabelLoss& loss : taken.losses) outcome_.losses.push_back(std::move(loss));
                for (UnfitLabel& unfit : taken.unfit) outcome_.unfit.push_back(std::move(unfit));
                outcome_.widths.push_back(taken.width);
            }
            room_.notify_all();
        }
        committing_ = false;
    }

    const BatchRun& batch_;
    // The files a replacing run swaps out, written over by its next buttons; what it still holds
    // at the end is removed with it.
    FileRecycler recycler_;
    std::mutex mutex_;
    std::condition_variable room_;  // the committer moved on, or the run stopped
    std::vector<PendingButton> pending_;
    const qint64 budget_;
    qint64 staged_bytes_ = 0;  // delivered and not yet committed
    qint64 largest_ = 0;       // the most bytes one label's files took
    qsizetype in_flight_ = 0;  // labels claimed and not yet delivered
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

int workers_for(int jobs, qsizetype labels, qint64 canvas_bytes) {
    constexpr qint64 kAllCanvases = qint64(512) << 20;
    const qint64 by_memory = canvas_bytes > 0 ? kAllCanvases / canvas_bytes : kMaxWorkers;
    const qint64 most = std::min<qint64>({kMaxWorkers, labels, by_memory});
    return int(std::clamp<qint64>(jobs, 1, std::max<qint64>(1, most)));
}

qint64 look_canvas_bytes(const ButtonLook& look) {
    const QImage& picture = look.background.image;
    if (!look.layout.stretch) return 2 * picture.sizeInBytes();
    const Stretch& s = *look.layout.stretch;
    const qint64 widest = s.max_width && !look.main_width ? *s.max_width : kMaxStretchWidth;
    // The button, the label layer and the stretched picture with and without its alpha, while
    // stretching takes as much again.
    return 6 * widest * picture.height() * 4;
}

qint64 staged_ahead_budget(qint64 free_bytes) {
    constexpr qint64 kMost = qint64(64) << 20;
    return std::clamp<qint64>(free_bytes / 4, 0, kMost);
}

BatchOutcome run_batch(const BatchRun& run) {
    return Runner(run).run();
}

}  // namespace qv::cli
