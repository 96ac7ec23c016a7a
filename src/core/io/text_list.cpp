#include "core/io/text_list.h"

#include "core/io/message_text.h"
#include "core/io/sys_error.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>

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

// Strict UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF) into `out`, which has
// room for n UTF-16 units. Unlike QString::fromUtf8 it keeps a leading byte-order mark. Returns
// the number of units written, or -1 when the bytes are not UTF-8.
qsizetype decode_utf8(const unsigned char* p, qsizetype n, char16_t* out) {
    char16_t* const first = out;
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            *out++ = c;
            ++i;
            continue;
        }
        int extra;
        char32_t code;
        unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            code = c & 0x0F;
            if (c == 0xE0) lo = 0xA0;
            if (c == 0xED) hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            code = c & 0x07;
            if (c == 0xF0) lo = 0x90;
            if (c == 0xF4) hi = 0x8F;
        } else {
            return -1;
        }
        if (n - i <= extra || p[i + 1] < lo || p[i + 1] > hi) return -1;
        for (int k = 1; k <= extra; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) return -1;
            code = (code << 6) | (p[i + k] & 0x3F);
        }
        if (code >= 0x10000) {
            *out++ = char16_t(0xD800 + ((code - 0x10000) >> 10));
            *out++ = char16_t(0xDC00 + (code & 0x3FF));
        } else {
            *out++ = char16_t(code);
        }
        i += extra + 1;
    }
    return out - first;
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

}  // namespace

QString decode_label(QByteArrayView line) {
    const auto* p = reinterpret_cast<const unsigned char*>(line.data());
    const qsizetype n = line.size();
    if (is_ascii(p, n)) return QString::fromLatin1(line);
    // UTF-8 never takes more UTF-16 units than it has bytes.
    QString text(n, Qt::Uninitialized);
    const qsizetype units = decode_utf8(p, n, reinterpret_cast<char16_t*>(text.data()));
    if (units < 0) return decode_cp1252(p, n);
    text.truncate(units);
    return text;
}

QStringList parse_text_list(QByteArrayView bytes) {
    QStringList labels;
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    labels.reserve(qsizetype(std::count(begin, end, '\r')) + 1);
    const char* start = begin;
    while (start < end) {
        const auto* cr = static_cast<const char*>(std::memchr(start, '\r', size_t(end - start)));
        if (!cr) {
            // The last line needs no line end.
            labels.append(decode_label(QByteArrayView(start, end - start)));
            break;
        }
        labels.append(decode_label(QByteArrayView(start, cr - start)));
        start = cr + 1;
        if (start < end && *start == '\n') ++start;
    }
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
