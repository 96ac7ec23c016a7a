#include "render/style_conversions.h"

#include <QString>

#include <gtest/gtest.h>

#include <optional>

namespace qv {
namespace {

TEST(Conversions, FaceComponentRoundsHalfToEvenWithinAByte) {
    EXPECT_EQ(face_component(u"300"), 255);
    EXPECT_EQ(face_component(u"12.5"), 12);
    EXPECT_EQ(face_component(u"13.5"), 14);
    EXPECT_EQ(face_component(u"-5"), 0);
    EXPECT_EQ(face_component(u" \t+1.5e2 "), 150);
    EXPECT_EQ(face_component(u"-32768.5"), 0);  // rounds to -32768, still 16 bits
    EXPECT_EQ(face_component(u"40000"), std::nullopt);
    EXPECT_EQ(face_component(u"32767.5"), std::nullopt);  // rounds to 32768
    EXPECT_EQ(face_component(u"1e400"), std::nullopt);
}

TEST(Conversions, OnlyWellFormedNumbersAreNumbers) {
    for (const char16_t* bad :
         {u"", u"-", u"1,5", u"12a", u"0x10", u".", u"e5", u"1e", u"1 2", u"\u0661"}) {
        EXPECT_EQ(parse_number(bad), std::nullopt) << QString::fromUtf16(bad).toStdString();
        EXPECT_EQ(face_component(bad), std::nullopt);
        EXPECT_EQ(dark_shade(bad), std::nullopt);
    }
    EXPECT_EQ(parse_number(u".5"), 0.5);
    EXPECT_EQ(parse_number(u"5."), 5.0);
    EXPECT_EQ(parse_number(u"-2E-1"), -0.2);
    EXPECT_EQ(parse_number(u"0.000e-400"), 0.0);
    EXPECT_EQ(parse_number(u"1e-400"), 0.0);
}

TEST(Conversions, ShadesAreAHundredAwayWithinAByte) {
    EXPECT_EQ(dark_shade(u"300"), 200);
    EXPECT_EQ(light_shade(u"300"), 255);
    EXPECT_EQ(dark_shade(u"120"), 20);
    EXPECT_EQ(light_shade(u"120"), 220);
    // 50, 200, 0 -> dark (0, 100, 0), light (150, 255, 100)
    EXPECT_EQ(dark_shade(u"50"), 0);
    EXPECT_EQ(dark_shade(u"200"), 100);
    EXPECT_EQ(light_shade(u"50"), 150);
    EXPECT_EQ(light_shade(u"0"), 100);
    EXPECT_EQ(dark_shade(u"112.5"), 12);   // rounded after the shift
    EXPECT_EQ(dark_shade(u"40000"), 255);  // a real: no 16-bit limit on the shades
    EXPECT_EQ(round_half_even(-2.5), -2.0);
    EXPECT_EQ(round_half_even(-3.5), -4.0);
}

TEST(Conversions, CaptionsReadTheirLeadingNumber) {
    EXPECT_EQ(leading_number(u"  7px"), 7.0);
    EXPECT_EQ(leading_number(u"-3.5e1x"), -35.0);
    EXPECT_EQ(leading_number(u"2e"), 2.0);
    EXPECT_EQ(leading_number(u"abc"), 0.0);
    EXPECT_EQ(leading_number(u"."), 0.0);
    EXPECT_EQ(font_size_points(u"10.25"), 10.25f);
    EXPECT_EQ(font_size_points(u"ten"), std::nullopt);
}

}  // namespace
}  // namespace qv
