// The number texts of the colour boxes and captions: no crash, no undefined behaviour, and every
// colour that converts is a byte.
#include "core/render/style_conversions.h"
#include "fuzz_support.h"

#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));

    const auto number = qv::parse_number(text);
    const auto face = qv::face_component(text);
    const auto dark = qv::dark_shade(text);
    const auto light = qv::light_shade(text);
    FUZZ_CHECK(number.has_value() == dark.has_value());
    FUZZ_CHECK(number.has_value() == light.has_value());
    if (face) FUZZ_CHECK(*face >= 0 && *face <= 255);
    if (dark) FUZZ_CHECK(*dark >= 0 && *dark <= 255);
    if (light) FUZZ_CHECK(*light >= 0 && *light <= 255);
    if (dark && light) FUZZ_CHECK(*dark <= *light);
    if (face) FUZZ_CHECK(number.has_value());

    const double margin = qv::leading_number(text);
    (void)margin;
    (void)qv::font_size_points(text);
    (void)qv::to_int16(text);
    return 0;
}
