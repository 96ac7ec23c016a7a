#include "cli/progress.h"

#include <QByteArray>

#include <cstdio>

namespace qv::cli {

QByteArray progress_line(qint64 done, qint64 total, int bar_width) {
    const qint64 filled = total > 0 ? done * bar_width / total : bar_width;
    const qint64 percent = total > 0 ? done * 100 / total : 100;
    QByteArray line = "[";
    line += QByteArray(filled, '#');
    line += QByteArray(bar_width - filled, '-');
    line += "] ";
    line += QByteArray::number(percent).rightJustified(3, ' ');
    line += "% " + QByteArray::number(done) + '/' + QByteArray::number(total);
    return line;
}

ProgressBar::ProgressBar(std::FILE* stream, qint64 total, bool enabled)
    : stream_(stream), total_(total), enabled_(enabled) {}

void ProgressBar::update(qint64 done) {
    if (!enabled_) return;
    const auto now = std::chrono::steady_clock::now();
    if (shown_ && done < total_ && now - last_ < std::chrono::milliseconds(100)) return;
    last_ = now;
    shown_ = true;
    std::fprintf(stream_, "\r%s", progress_line(done, total_).constData());
    std::fflush(stream_);
}

void ProgressBar::finish() {
    if (!shown_) return;
    std::fputs("\r\033[K", stream_);
    std::fflush(stream_);
    shown_ = false;
}

}  // namespace qv::cli
