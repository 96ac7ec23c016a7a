// Any bytes either read as a style or are refused with a reason; a style read, written and read
// again is the same style, with no warning, and passes the writer's own check.
#include "core/io/style_file.h"
#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString folder = QStringLiteral("/styles");
    const auto read = qv::parse_style(
        QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)), folder);
    if (!read) {
        FUZZ_CHECK(!read.error().isEmpty());
        return 0;
    }
    FUZZ_CHECK(qv::check_style(read->settings).ok());
    const auto again = qv::parse_style(qv::style_to_json(read->settings, folder), folder);
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again->warnings.isEmpty());
    FUZZ_CHECK(again->settings == read->settings);
    return 0;
}
