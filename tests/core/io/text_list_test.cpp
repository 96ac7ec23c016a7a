#include "core/io/text_list.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

using qv::decode_label;
using qv::parse_text_list;

TEST(TextList, LineEndsAndLabelsKeptExactly) {
    const QStringList two{"Home", "News"};
    EXPECT_EQ(parse_text_list("Home\r\nNews\r\n"), two);  // no empty label after the last end
    EXPECT_EQ(parse_text_list("Home\r\nNews"), two);
    EXPECT_EQ(parse_text_list("Home\rNews\r"), two);
    EXPECT_EQ(parse_text_list("Home\nNews\n"), QStringList{"Home\nNews\n"});
    EXPECT_EQ(parse_text_list("Home\r\n\r\nNews"), (QStringList{"Home", "", "News"}));
    EXPECT_EQ(parse_text_list("Home\r\r\n"), (QStringList{"Home", ""}));
    EXPECT_EQ(parse_text_list("  Home\t\r\n \r\n"), (QStringList{"  Home\t", " "}));
    EXPECT_EQ(parse_text_list("\r\n"), QStringList{""});
    EXPECT_EQ(parse_text_list(""), QStringList{});
    EXPECT_EQ(parse_text_list(QByteArray("a\0b\r", 4)), QStringList{u"a\0b"_s});
}

TEST(TextList, Utf8WhereValidOtherwiseWindows1252) {
    EXPECT_EQ(parse_text_list("\xEF\xBB\xBFHome\r\ncaf\xC3\xA9\r\ncaf\xE9"),
              (QStringList{u"\uFEFFHome"_s, u"café"_s, u"café"_s}));
    EXPECT_EQ(decode_label("\x80\x81\x8D\x8F\x90\x9D\x9F\xFF"),
              u"\u20AC\u0081\u008D\u008F\u0090\u009D\u0178\u00FF"_s);
    EXPECT_EQ(decode_label("\xE2\x82\xAC \xF0\x9F\x98\x80"), u"\u20AC \U0001F600"_s);
    // Not UTF-8: overlong, surrogate, cut short, beyond U+10FFFF.
    EXPECT_EQ(decode_label("\xC0\xAF"), u"\u00C0\u00AF"_s);
    EXPECT_EQ(decode_label("\xED\xA0\x80"), u"\u00ED\u00A0\u20AC"_s);
    EXPECT_EQ(decode_label("ab\xE2\x82"), u"ab\u00E2\u201A"_s);
    EXPECT_EQ(decode_label("\xF4\x90\x80\x80"), u"\u00F4\u0090\u20AC\u20AC"_s);
}

TEST(TextList, ReadFailuresNameThePathAndReason) {
    QTemporaryDir dir;
    const QString missing = dir.filePath("none.txt");
    EXPECT_EQ(qv::read_text_list(missing).error(),
              "Cannot read " + missing + ": No such file or directory");
    EXPECT_EQ(qv::read_text_list(dir.path()).error(),
              "Cannot read " + dir.path() + ": Is a directory");
}

}  // namespace
