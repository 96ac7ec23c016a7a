// Costs of the batch's file side: encoding a button, writing it, and reading a long text list.
#include "core/io/atomic_write.h"
#include "core/io/bmp_writer.h"
#include "core/io/text_list.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <atomic>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kNames = 1000;  // a batch of distinct labels, rewritten on later rounds

QImage button() {
    QImage image(150, 56, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x, y, x ^ y));
    return image;
}

const QByteArray& button_bmp() {
    static const QByteArray bytes = qv::encode_bmp24(button()).value();
    return bytes;
}

// The files one benchmark run writes, in a folder of its own. With state.range(0) == 0 they exist
// already and are replaced (a batch run again over its own output), cycling through kNames of
// them; otherwise every write makes a new file (a first run).
class Outputs {
  public:
    Outputs(const benchmark::State& state, const char* kind) : replace_(state.range(0) == 0) {
        // QUORVANE_BENCH_DIR picks the file system (a tmpfs isolates this code from the disk's).
        static QTemporaryDir root(qEnvironmentVariable("QUORVANE_BENCH_DIR", QDir::tempPath()) +
                                  QStringLiteral("/bench_io-XXXXXX"));
        static std::atomic<int> runs{0};
        dir_ = root.filePath(QStringLiteral("%1-%2").arg(kind).arg(runs++));
        QDir().mkpath(dir_);
        if (!replace_) return;
        for (int i = 0; i < kNames; ++i) {
            QFile file(path(i));
            if (file.open(QIODevice::WriteOnly)) file.write(button_bmp());
        }
    }
    QString path(int i) const {
        return QStringLiteral("%1/Button %2.bmp").arg(dir_).arg(replace_ ? i % kNames : i);
    }

  private:
    bool replace_;
    QString dir_;
};

void BM_EncodeBmp24(benchmark::State& state) {
    const QImage image = button();
    qint64 bytes = 0;
    for (auto _ : state) {
        const auto out = qv::encode_bmp24(image);
        benchmark::DoNotOptimize(out.value().data());
        bytes += out.value().size();
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_EncodeBmp24);

void BM_WriteAtomically(benchmark::State& state) {
    const Outputs outputs(state, "atomic");
    int i = 0;
    for (auto _ : state) {
        if (!qv::write_file_atomically(outputs.path(i++), button_bmp()).ok())
            state.SkipWithError("write failed");
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WriteAtomically)->ArgName("new")->Arg(0)->Arg(1)->ThreadRange(1, 2)->UseRealTime();

// The floor: the same bytes written in place, with no temporary file and no rename.
void BM_WritePlain(benchmark::State& state) {
    const Outputs outputs(state, "plain");
    const QByteArray& bytes = button_bmp();
    int i = 0;
    for (auto _ : state) {
        const int fd = ::open(QFile::encodeName(outputs.path(i++)).constData(),
                              O_CREAT | O_TRUNC | O_WRONLY | O_CLOEXEC, 0666);
        if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size())
            state.SkipWithError("write failed");
        ::close(fd);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WritePlain)->ArgName("new")->Arg(0)->Arg(1)->ThreadRange(1, 2)->UseRealTime();

// Qt's own atomic replacement, for comparison: it flushes every file to disk (fdatasync) first.
void BM_WriteQSaveFile(benchmark::State& state) {
    const Outputs outputs(state, "qsavefile");
    int i = 0;
    for (auto _ : state) {
        QSaveFile file(outputs.path(i++));
        if (!file.open(QIODevice::WriteOnly) || file.write(button_bmp()) != button_bmp().size() ||
            !file.commit())
            state.SkipWithError("write failed");
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WriteQSaveFile)->ArgName("new")->Arg(0)->Arg(1)->UseRealTime();

QByteArray text_list(int lines, const char* tail) {
    QByteArray bytes;
    for (int i = 0; i < lines; ++i) bytes += "Button label " + QByteArray::number(i) + tail;
    return bytes;
}

void BM_ParseTextList(benchmark::State& state, const QByteArray& bytes) {
    for (auto _ : state) benchmark::DoNotOptimize(qv::parse_text_list(bytes));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK_CAPTURE(BM_ParseTextList, ascii_200k_lines, text_list(200000, "\r\n"));
BENCHMARK_CAPTURE(BM_ParseTextList, utf8_200k_lines, text_list(200000, " \xC3\xA9t\xC3\xA9\r\n"));
BENCHMARK_CAPTURE(BM_ParseTextList, cp1252_200k_lines, text_list(200000, " \xE9t\xE9\r\n"));
BENCHMARK_CAPTURE(BM_ParseTextList, one_1mb_line, QByteArray(1 << 20, 'x') + "\xE9");

}  // namespace

BENCHMARK_MAIN();
