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

QString decode_cp1252(const unsigned char* p, qsizetype n) {
    QString text(n, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char c = p[i];
        out[i] = (c >= 0x80 && c <= 0x9F) ? kCp1252High[c - 0x80] : char16_t(c);
    }
    return text;
}

// Cuts `text` into lines, each handed to `take` without its line end. CR LF is one end; the last
// line needs none, and an end at the very end adds no empty line.
template <class Char, class Take>
void split_lines(const Char* begin, const Char* end, Take take) {
    const Char* start = begin;
    while (start < end) {
        const Char* stop = std::find_if(start, end, [](Char c) { return c == '\r' || c == '\n'; });
        take(start, stop);
        if (stop == end) break;
        start = stop + 1;
        if (*stop == '\r' && start < end && *start == '\n') ++start;
    }
}

// A list saved as "Unicode" carries FF FE (little-endian) or FE FF (big-endian) first.
std::optional<QStringConverter::Encoding> utf16_order(QByteArrayView bytes) {
    if (bytes.startsWith("\xFF\xFE")) return QStringConverter::Utf16LE;
    if (bytes.startsWith("\xFE\xFF")) return QStringConverter::Utf16BE;
    return std::nullopt;
}

}  // namespace

QString decode_label(QByteArrayView line) {
    const auto* p = reinterpret_cast<const unsigned char*>(line.data());
    const qsizetype n = line.size();
    if (is_ascii(p, n)) return QString::fromLatin1(line);
    // A byte order mark at the start of a line stays part of the label, as any other character.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                    QStringConverter::Flag::ConvertInitialBom);
    QString text = utf8.decode(line);
    if (utf8.hasError()) return decode_cp1252(p, n);
    return text;
}

QStringList parse_text_list(QByteArrayView bytes) {
    QStringList labels;
    if (const auto order = utf16_order(bytes)) {
        // The mark only says how the list is stored: it is no part of the first label.
        const QString text = QStringDecoder(*order).decode(bytes);
        const auto* const begin = reinterpret_cast<const char16_t*>(text.utf16());
        split_lines(begin, begin + text.size(),
                    [&labels](const char16_t* from, const char16_t* to) {
                        labels.append(QStringView(from, to - from).toString());
                    });
        return labels;
    }
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    split_lines(begin, end, [&labels](const char* from, const char* to) {
        labels.append(decode_label(QByteArrayView(from, to - from)));
    });
    return labels;
}

Result<QStringList> read_text_list(const QString& path) {
    const auto failure = [&path](int error) {
        return Failure{QStringLiteral("Cannot read %1: %2")
                           .arg(shown_in_message(path), system_error_text(error))};
    };
    const QByteArray name = QFile::encodeName(path);
    int fd;
    do {
        fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return failure(errno);

    // Read straight into one buffer sized from the file, growing it only if the file grows.
    struct stat st {};
    qsizetype capacity = 65536;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) capacity = qsizetype(st.st_size) + 1;
    QByteArray bytes(capacity, Qt::Uninitialized);
    qsizetype used = 0;
    for (;;) {
        if (used == bytes.size()) bytes.resize(bytes.size() * 2);
        const ssize_t got = ::read(fd, bytes.data() + used, size_t(bytes.size() - used));
        if (got > 0) {
            used += got;
        } else if (got == 0) {
            break;
        } else if (errno != EINTR) {
            const int error = errno;
            ::close(fd);
            return failure(error);  // never a partial list
        }
    }
    ::close(fd);
    return parse_text_list(QByteArrayView(bytes.constData(), used));
}

}  // namespace qv
