#include "core/io/text_list.h"

#include "core/io/message_text.h"
#include "core/io/sys_error.h"

#include <QFile>
#include <QStringDecoder>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

namespace qv {
namespace {

// Windows-1252 0x80-0x9F. The five bytes the code page leaves undefined keep their own value, as
// Windows itself decodes them.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

bool is_ascii(const unsigned char* p, qsizetype n) {
    unsigned char any = 0;
    for (qsizetype i = 0; i < n; ++i) any |= p[i];
    return any < 0x80;
}

// Windows-1252 into `out`, which has room for n units.
void decode_cp1252(const unsigned char* p, qsizetype n, QChar* out) {
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char c = p[i];
        out[i] = (c >= 0x80 && c <= 0x9F) ? QChar(kCp1252High[c - 0x80]) : QChar(c);
    }
}

// Cuts `text` into lines, each handed to `take` without its line end; `next_end(from)` finds the
// first CR or LF at or after `from` (or `end`). CR LF is one end; the last line needs none, and an
// end at the very end adds no empty line.
template <class Char, class NextEnd, class Take>
void split_lines(const Char* begin, const Char* end, NextEnd next_end, Take take) {
    const Char* start = begin;
    while (start < end) {
        const Char* stop = next_end(start);
        take(start, stop);
        if (stop == end) break;
        start = stop + 1;
        if (*stop == '\r' && start < end && *start == '\n') ++start;
    }
}

// Finds line ends in bytes with memchr, each kind searched again only once passed: a list that
// never holds one of them is not scanned anew for every line.
class ByteLineEnds {
  public:
    explicit ByteLineEnds(const char* end) : end_(end) {}
    const char* operator()(const char* from) {
        if (cr_ < from) cr_ = find(from, '\r');
        if (lf_ < from) lf_ = find(from, '\n');
        return std::min(cr_, lf_);
    }

  private:
    const char* find(const char* from, char c) const {
        const void* found = std::memchr(from, c, size_t(end_ - from));
        return found ? static_cast<const char*>(found) : end_;
    }
    const char* end_;
    const char* cr_ = nullptr;
    const char* lf_ = nullptr;
};

// A list saved as "Unicode" carries FF FE (little-endian) or FE FF (big-endian) first.
std::optional<QStringConverter::Encoding> utf16_order(QByteArrayView bytes) {
    if (bytes.startsWith("\xFF\xFE")) return QStringConverter::Utf16LE;
    if (bytes.startsWith("\xFE\xFF")) return QStringConverter::Utf16BE;
    return std::nullopt;
}

// A byte order mark at the start of a line (but the list's first) stays part of the label.
QStringDecoder strict_utf8() {
    return QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                      QStringConverter::Flag::ConvertInitialBom);
}

// One decoder serves every line of a list; `utf8` is strict_utf8().
QString decode_label(QByteArrayView line, QStringDecoder& utf8) {
    const auto* p = reinterpret_cast<const unsigned char*>(line.data());
    const qsizetype n = line.size();
    if (is_ascii(p, n)) return QString::fromLatin1(line);
    // Either way the text takes at most one UTF-16 unit per byte.
    QString text(n, Qt::Uninitialized);
    utf8.resetState();
    const QChar* const decoded = utf8.appendToBuffer(text.data(), line);
    if (utf8.hasError()) {
        decode_cp1252(p, n, text.data());
        return text;
    }
    text.truncate(decoded - text.constData());
    return text;
}

}  // namespace

QString decode_label(QByteArrayView line) {
    QStringDecoder utf8 = strict_utf8();
    return decode_label(line, utf8);
}

QStringList parse_text_list(QByteArrayView bytes) {
    QStringList labels;
    if (const auto order = utf16_order(bytes)) {
        // The mark only says how the list is stored: it is no part of the first label.
        const QString text = QStringDecoder(*order).decode(bytes);
        const auto* const begin = reinterpret_cast<const char16_t*>(text.utf16());
        const auto* const end = begin + text.size();
        const auto next_end = [end](const char16_t* from) {
            return std::find_if(from, end, [](char16_t c) { return c == u'\r' || c == u'\n'; });
        };
        split_lines(begin, end, next_end, [&labels](const char16_t* from, const char16_t* to) {
            labels.append(QStringView(from, to - from).toString());
        });
        return labels;
    }
    // An editor that saves "UTF-8 with BOM" puts EF BB BF first: like the UTF-16 marks it only
    // says how the list is stored. A mark at the start of a later line stays, as any character.
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes = bytes.sliced(3);
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    labels.reserve(qsizetype(std::max(std::count(begin, end, '\n'), std::count(begin, end, '\r'))) +
                   1);
    QStringDecoder utf8 = strict_utf8();
    split_lines(begin, end, ByteLineEnds(end), [&labels, &utf8](const char* from, const char* to) {
        labels.append(decode_label(QByteArrayView(from, to - from), utf8));
    });
    return labels;
}

Result<QStringList> read_text_list(int fd, const QString& name) {
    const auto failure = [&name](const QString& why) {
        return Failure{QStringLiteral("Cannot read %1: %2").arg(shown_in_message(name), why)};
    };
    const auto too_large = [&failure](const QString& what) {
        return failure(
            QStringLiteral("it has more than %1; a list may have at most that").arg(what));
    };
    const QString limit_bytes = QStringLiteral("%1 MiB").arg(kMaxTextListBytes >> 20);

    // Read straight into one buffer sized from the file, growing it only if the file grows.
    struct stat st {};
    qsizetype capacity = 65536;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        if (st.st_size > kMaxTextListBytes) return too_large(limit_bytes);
        capacity = qsizetype(st.st_size) + 1;
    }
    QByteArray bytes(capacity, Qt::Uninitialized);
    qsizetype used = 0;
    for (;;) {
        if (used > kMaxTextListBytes) return too_large(limit_bytes);
        if (used == bytes.size()) bytes.resize(std::min(bytes.size() * 2, kMaxTextListBytes + 1));
        const ssize_t got = ::read(fd, bytes.data() + used, size_t(bytes.size() - used));
        if (got > 0) {
            used += got;
        } else if (got == 0) {
            break;
        } else if (errno != EINTR) {
            return failure(system_error_text(errno));  // never a partial list
        }
    }
    const QByteArrayView read(bytes.constData(), used);
    // Counted before the labels are made: a list of line ends alone would take far more memory as
    // labels than as bytes.
    if (!utf16_order(read) &&
        qsizetype(std::max(std::count(read.begin(), read.end(), '\n'),
                           std::count(read.begin(), read.end(), '\r'))) > kMaxTextListLabels)
        return too_large(QStringLiteral("%1 lines").arg(kMaxTextListLabels));
    return parse_text_list(read);
}

Result<QStringList> read_text_list(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    int fd;
    do {
        fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return Failure{QStringLiteral("Cannot read %1: %2")
                           .arg(shown_in_message(path), system_error_text(errno))};
    Result<QStringList> list = read_text_list(fd, path);
    ::close(fd);
    return list;
}

}  // namespace qv
