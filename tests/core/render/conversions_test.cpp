#include "core/render/style_conversions.h"

#include <QString>

#include <gtest/gtest.h>

namespace {

using namespace qv;

TEST(Conversions, ColourTextsRoundHalfToEvenWithinAByte) {
    // text, face component, dark shade, light shade; -1: the text fails
    const std::tuple<const char16_t*, int, int, int> cases[] = {
        {u"300", 255, 200, 255},       {u"12.5", 12, 0, 112},  {u"13.5", 14, 0, 114},
        {u" \t+1.5e2 ", 150, 50, 250}, {u"-32768.5", 0, 0, 0}, {u"32767.5", -1, 255, 255},
        {u"1e400", -1, -1, -1}};
    const auto opt = [](int v) { return v < 0 ? std::nullopt : std::optional<int>(v); };
    for (const auto& [text, face, dark, light] : cases)
        EXPECT_EQ(std::tuple(face_component(text), dark_shade(text), light_shade(text)),
                  std::tuple(opt(face), opt(dark), opt(light)))
            << QString::fromUtf16(text).toStdString();
}

TEST(Conversions, OnlyWellFormedNumbersAreNumbersButCaptionsTakeTheirLead) {
    for (const char16_t* bad :
         {u"", u"-", u"1,5", u"12a", u"0x10", u".", u"e5", u"1e", u"1 2", u"\u0661"}) {
        EXPECT_EQ(parse_number(bad), std::nullopt) << QString::fromUtf16(bad).toStdString();
        EXPECT_EQ(face_component(bad), std::nullopt);
        EXPECT_EQ(dark_shade(bad), std::nullopt);
    }
    const std::pair<const char16_t*, double> good[] = {
        {u".5", 0.5}, {u"5.", 5.0}, {u"-2E-1", -0.2}, {u"0.000e-400", 0.0}, {u"1e-400", 0.0}};
    for (const auto& [text, value] : good) EXPECT_EQ(parse_number(text), value);
    // Captions: the leading number, or nothing
    EXPECT_EQ(leading_number(u"-3.5e1x"), -35.0);
    EXPECT_EQ(leading_number(u"2e"), 2.0);
    EXPECT_EQ(leading_number(u"abc"), 0.0);
    EXPECT_EQ(font_size_points(u"10.25"), 10.25f);
    EXPECT_EQ(font_size_points(u"ten"), std::nullopt);
}

}  // namespace
