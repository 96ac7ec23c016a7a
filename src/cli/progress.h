#pragma once
// A one-line progress bar on a terminal (standard error), redrawn at most a few times a second so
// that it costs nothing next to the buttons.
#include <QtGlobal>

#include <chrono>
#include <cstdio>

namespace qv::cli {

// The bar's text for `done` of `total`, e.g. "[#####-----]  50% 500/1000".
QByteArray progress_line(qint64 done, qint64 total, int bar_width = 30);

class ProgressBar {
  public:
    // Draws on `stream` when `enabled`.
    ProgressBar(std::FILE* stream, qint64 total, bool enabled);
    void update(qint64 done);
    void finish();  // clears the line

  private:
    std::FILE* stream_;
    qint64 total_;
    bool enabled_;
    bool shown_ = false;
    std::chrono::steady_clock::time_point last_{};
};

}  // namespace qv::cli
