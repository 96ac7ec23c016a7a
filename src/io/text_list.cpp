#include "io/text_list.h"

#include "io/sys_error.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool is_valid_utf8(const unsigned char* p, qsizetype n) {
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra;
        unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            if (c == 0xE0) lo = 0xA0;
            if (c == 0xED) hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            if (c == 0xF0) lo = 0x90;
            if (c == 0xF4) hi = 0x8F;
        } else {
            return false;
        }
        if (n - i <= extra) return false;
        if (p[i + 1] < lo || p[i + 1] > hi) return false;
        for (int k = 2; k <= extra; ++k)
            if ((p[i + k] & 0xC0) != 0x80) return false;
        i += extra + 1;
    }
    return true;
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
    if (is_valid_utf8(p, n)) return QString::fromUtf8(line);
    return decode_cp1252(p, n);
}

QStringList parse_text_list(QByteArrayView bytes) {
    QStringList labels;
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
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
        return Failure{QStringLiteral("Cannot read %1: %2").arg(path, system_error_text(error))};
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
