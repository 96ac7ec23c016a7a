// Any bytes make a list; its labels never hold a CR, and there is one label per line end (plus
// one for a last line without an end).
#include "core/io/text_list.h"
#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList labels = qv::parse_text_list(bytes);

    qsizetype line_ends = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\r') ++line_ends;
    const bool open_last_line =
        !bytes.isEmpty() && bytes.back() != '\r' &&
        !(bytes.size() >= 2 && bytes.back() == '\n' && bytes[bytes.size() - 2] == '\r');
    FUZZ_CHECK(labels.size() == line_ends + (open_last_line ? 1 : 0));
    for (const QString& label : labels) FUZZ_CHECK(!label.contains(QLatin1Char('\r')));
    return 0;
}
