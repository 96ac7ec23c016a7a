#include "core/io/style_file.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

using qv::parse_style;
using qv::StyleSettings;

const QString kFolder = u"/styles"_s;

// The failure's message, or "" when the style was read.
QString refusal(const QByteArray& json) {
    const auto read = parse_style(json, kFolder);
    return read ? QString() : read.error();
}

StyleSettings read(const QByteArray& json) {
    const auto r = parse_style(json, kFolder);
    EXPECT_TRUE(r.ok()) << r.error().toStdString();
    return r ? r->settings : StyleSettings{};
}

TEST(StyleFile, AbsentKeysGiveTheDefaults) {
    EXPECT_EQ(read(R"({"quorvane_style": 1})"), StyleSettings{});
}

TEST(StyleFile, EveryKeyRead) {
    const StyleSettings s = read(R"({"quorvane_style": 1, "font": "DejaVu Sans", "size": 12,
        "bold": true, "italic": true, "underline": true, "color": [200, "120.5", " 7"],
        "align": "right", "margin_left": "4", "margin_right": 3, "y": -21, "shadow": true,
        "outline": true, "3d": true, "background": "art/../back.bmp", "format": "png",
        "fit": "wrap", "min_size": "7", "stretch": {"left_cap": 12, "right_cap": 0,
        "stretch_mode": "tile", "max_width": 300}})");
    EXPECT_EQ(s.font, u"DejaVu Sans"_s);
    EXPECT_EQ(s.size, 12);
    EXPECT_TRUE(s.bold && s.italic && s.underline && s.shadow && s.outline && s.relief);
    // Box texts stay as typed: "120.5" draws 120 (half to even), which 120.5 as a number would too,
    // but " 7" must come back as " 7" for the window's box to show what was saved.
    EXPECT_EQ(s.color, (std::array<QString, 3>{u"200"_s, u"120.5"_s, u" 7"_s}));
    EXPECT_EQ(s.align, qv::kAlignRight);
    EXPECT_EQ(s.margin_left, 4);
    EXPECT_EQ(s.margin_right, 3);
    EXPECT_EQ(s.text_y, std::int16_t(-21));
    EXPECT_EQ(s.background, u"/styles/back.bmp"_s);  // relative to the style's folder
    EXPECT_EQ(s.format, qv::ButtonFormat::Png);
    EXPECT_EQ(s.fit, qv::FitMode::Wrap);
    EXPECT_EQ(s.min_size, 7);
    EXPECT_EQ(s.stretch, (qv::Stretch{12, 0, qv::StretchMode::Tile, {}, 300}));
    EXPECT_EQ(read(R"({"quorvane_style": 1, "stretch": {}})").stretch, qv::Stretch{});
    EXPECT_EQ(read(R"({"quorvane_style": 1, "background": "/art/b.png"})").background,
              u"/art/b.png"_s);
    EXPECT_EQ(read("\xEF\xBB\xBF{\"quorvane_style\": 1, \"size\": 1e2}").size, 100);
}

// Each refusal names what is wrong: the key and the value as written, or the part of it.
TEST(StyleFile, RefusalsNameTheKeyAndTheValue) {
    const std::pair<QByteArray, QStringList> cases[] = {
        {"", {u"not JSON"_s}},
        {"[1]", {u"not a style file"_s}},
        {R"({"size": 12})", {u"not a style file"_s}},
        {R"({"quorvane_style": 2})", {u"version 2"_s}},
        {R"({"quorvane_style": "1"})", {uR"("quorvane_style")"_s, uR"("1")"_s}},
        {R"({"quorvane_style": 1, "size": 101})", {uR"("size")"_s, u"not 101"_s}},
        {R"({"quorvane_style": 1, "size": "12.5"})", {uR"("size")"_s, uR"("12.5")"_s}},
        {R"({"quorvane_style": 1, "y": 32768})", {uR"("y")"_s, u"not 32768"_s}},
        {R"({"quorvane_style": 1, "bold": 1})", {uR"("bold")"_s, u"not 1"_s}},
        {R"({"quorvane_style": 1, "align": "middle"})", {uR"("align")"_s, uR"("middle")"_s}},
        {R"({"quorvane_style": 1, "font": null})", {uR"("font")"_s, u"null"_s}},
        {R"({"quorvane_style": 1, "color": [1, 2]})", {uR"("color")"_s, u"[1,2]"_s}},
        {R"({"quorvane_style": 1, "color": [1, "abc", 3]})", {u"green"_s, uR"("abc")"_s}},
        {R"({"quorvane_style": 1, "color": [1, 2, 40000]})", {u"blue"_s, u"40000"_s}},
        {R"({"quorvane_style": 1, "fit": "squeeze"})", {uR"("fit")"_s, uR"("squeeze")"_s}},
        {R"({"quorvane_style": 1, "min_size": 4})",
         {uR"("min_size")"_s, u"from 5 to 100, not 4"_s}},
        {R"({"quorvane_style": 1, "stretch": [1, 2]})", {uR"("stretch" must be an object)"_s}},
        {R"({"quorvane_style": 1, "stretch": {"left_cap": -1}})",
         {uR"("stretch": "left_cap" must be a whole number from 0 to 2000, not -1)"_s}},
        {R"({"quorvane_style": 1, "stretch": {"stretch_mode": "mirror"}})",
         {uR"("stretch": "stretch_mode")"_s, uR"("mirror")"_s}},
        {R"({"quorvane_style": 1, "stretch": {"min_width": 0}})",
         {uR"("min_width")"_s, u"not 0"_s}},
        {R"({"quorvane_style": 1, "stretch": {"min_width": 90, "max_width": 80}})",
         {uR"("min_width" must not be above "max_width" (80), not 90)"_s}},
        {R"({"quorvane_style": 1, "stretch": {"left_cap": 30, "right_cap": 30, "max_width": 59}})",
         {uR"("max_width" must be at least the two caps (60), not 59)"_s}},
    };
    for (const auto& [json, phrases] : cases)
        for (const QString& phrase : phrases)
            EXPECT_TRUE(refusal(json).contains(phrase))
                << json.toStdString() << " " << phrase.toStdString();
}

TEST(StyleFile, UnknownKeysWarnAndAreIgnored) {
    const auto r = parse_style(
        R"({"quorvane_style": 1, "size": 20, "glow": true, "stretch": {"left_cap": 3, "top_cap": 1}})",
        kFolder);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r->settings.size, 20);
    EXPECT_EQ(r->settings.stretch->left_cap, 3);
    EXPECT_EQ(r->warnings, (QStringList{uR"(unknown key "glow" ignored)"_s,
                                        uR"(unknown key "stretch.top_cap" ignored)"_s}));
}

TEST(StyleFile, WrittenInTheDocumentedOrderAndReadBackTheSame) {
    StyleSettings s;
    s.font = u"Liberation \"Sans\"\t\\"_s;
    s.size = 27;
    s.italic = true;
    s.color = {u"0"_s, u"12.5"_s, u" 7"_s};
    s.align = qv::kAlignLeft;
    s.margin_left = 200;
    s.text_y = std::int16_t(-32768);
    s.outline = true;
    s.background = u"/styles/art/back.bmp"_s;
    s.format = qv::ButtonFormat::Png;
    s.fit = qv::FitMode::Shrink;
    s.min_size = 6;
    s.stretch = qv::Stretch{20, 18, qv::StretchMode::Scale, 80, 400};
    const QByteArray json = qv::style_to_json(s, kFolder);
    EXPECT_EQ(json, R"({
  "quorvane_style": 1,
  "font": "Liberation \"Sans\"\u0009\\",
  "size": 27,
  "bold": false,
  "italic": true,
  "underline": false,
  "color": [0, "12.5", " 7"],
  "align": "left",
  "margin_left": 200,
  "margin_right": 0,
  "y": -32768,
  "shadow": false,
  "outline": true,
  "3d": false,
  "background": "art/back.bmp",
  "format": "png",
  "fit": "shrink",
  "min_size": 6,
  "stretch": {"left_cap": 20, "right_cap": 18, "stretch_mode": "scale", "min_width": 80, "max_width": 400}
}
)");
    EXPECT_EQ(read(json), s);
    // A picture outside the style's folder keeps its whole path.
    s.background = u"/elsewhere/back.bmp"_s;
    EXPECT_TRUE(qv::style_to_json(s, kFolder).contains("\"/elsewhere/back.bmp\""));
    // A style that fits nothing and stretches nothing is written as before the fit keys came.
    s.min_size = qv::kDefaultMinSize;
    s.fit = qv::FitMode::None;
    s.stretch.reset();
    EXPECT_TRUE(qv::style_to_json(s, kFolder).endsWith("\"format\": \"png\"\n}\n"));
    s.min_size = 9;  // kept even while nothing is fitted, so that it reads back the same
    EXPECT_EQ(read(qv::style_to_json(s, kFolder)), s);
}

TEST(StyleFile, FilesAreCheckedBeforeWritingAndNamedWhenUnreadable) {
    QTemporaryDir tmp;
    const QString path = tmp.filePath(u"a.qvstyle"_s);
    StyleSettings s;
    s.color[0] = u"abc"_s;  // what a half-typed colour box holds
    const auto refused = qv::write_style_file(path, s);
    ASSERT_FALSE(refused.ok());
    EXPECT_TRUE(refused.error().contains(u"the red part"));
    EXPECT_FALSE(QFile::exists(path));

    s.color[0] = u"255"_s;
    s.stretch = qv::Stretch{10, 10, qv::StretchMode::Scale, {}, 19};  // narrower than its caps
    EXPECT_TRUE(qv::write_style_file(path, s).error().contains(uR"("max_width" must be at least)"));
    s.stretch->max_width = 20;
    s.background = tmp.filePath(u"back.bmp"_s);
    ASSERT_TRUE(qv::write_style_file(path, s).ok());
    const auto back = qv::read_style_file(path);
    ASSERT_TRUE(back.ok()) << back.error().toStdString();
    EXPECT_EQ(back->settings, s);

    const auto missing = qv::read_style_file(tmp.filePath(u"none.qvstyle"_s));
    ASSERT_FALSE(missing.ok());
    EXPECT_TRUE(
        missing.error().startsWith(u"Cannot read style "_s + tmp.filePath(u"none.qvstyle"_s)));
    QFile big(tmp.filePath(u"big.qvstyle"_s));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.resize(qv::kMaxStyleFileBytes + 1);
    big.close();
    EXPECT_TRUE(qv::read_style_file(big.fileName()).error().contains(u"larger than"));
}

}  // namespace
