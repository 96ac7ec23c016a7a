// Any bytes make a list; its labels never hold a CR or an LF, and there is one label per line end
// (CR LF counting once) plus one for a last line without an end. A list with a UTF-16 byte order
// mark is text of two-byte units and is only checked for the line ends in its labels.
#include "core/io/text_list.h"
#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList labels = qv::parse_text_list(bytes);

    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    if (!utf16) {
        qsizetype line_ends = 0;
        for (qsizetype i = 0; i < bytes.size(); ++i)
            if (bytes[i] == '\r' || (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')))
                ++line_ends;
        const bool open_last_line =
            !bytes.isEmpty() && bytes.back() != '\r' && bytes.back() != '\n';
        FUZZ_CHECK(labels.size() == line_ends + (open_last_line ? 1 : 0));
    }
    for (const QString& label : labels)
        FUZZ_CHECK(!label.contains(QLatin1Char('\r')) && !label.contains(QLatin1Char('\n')));
    return 0;
}
