#include "core/io/text_list.h"

#include <gtest/gtest.h>
#include <QStringEncoder>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

using qv::decode_label;
using qv::parse_text_list;

// UTF-16 bytes of `text`, with the byte order mark first.
QByteArray utf16_with_mark(const QString& text, bool little_endian) {
    QStringEncoder encode(little_endian ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                          QStringConverter::Flag::WriteBom);
    return encode(text);
}

TEST(TextList, LineEndsAndLabelsKeptExactly) {
    const QStringList two{"Home", "News"};
    const struct {
        const char* what;
        QByteArray bytes;
        QStringList labels;
    } cases[] = {
        {"CR LF, as Windows writes", "Home\r\nNews\r\n", two},
        {"no end after the last line", "Home\r\nNews", two},
        {"CR alone", "Home\rNews\r", two},
        {"LF, as Linux writes", "Home\nNews\n", two},
        {"LF then CR is two ends", "A\n\rB", {"A", "", "B"}},
        {"CR CR LF", "Home\r\r\n", {"Home", ""}},
        {"empty lines are labels", "Home\r\n\r\nNews\n\nEnd", {"Home", "", "News", "", "End"}},
        {"spaces and tabs kept", "  Home\t\r\n \n", {"  Home\t", " "}},
        {"one line end", "\n", {""}},
        {"empty file", "", {}},
        {"NUL inside a label", QByteArray("a\0b\r", 4), {u"a\0b"_s}},
        {"UTF-16 LE with its mark",
         utf16_with_mark(u"Home\r\ncafé\nNews\r\n"_s, true),
         {"Home", u"café"_s, "News"}},
        {"UTF-16 BE with its mark",
         utf16_with_mark(u"\U0001F600\rB\n\rC"_s, false),
         {u"\U0001F600"_s, "B", "", "C"}},
    };
    for (const auto& c : cases) EXPECT_EQ(parse_text_list(c.bytes), c.labels) << c.what;
}

TEST(TextList, Utf8WhereValidOtherwiseWindows1252) {
    // The UTF-8 mark opening the list is no part of the first label; one opening a later line is.
    EXPECT_EQ(parse_text_list("\xEF\xBB\xBFHome\r\ncaf\xC3\xA9\r\ncaf\xE9\n\xEF\xBB\xBFNews"),
              (QStringList{"Home", u"café"_s, u"café"_s, u"\uFEFFNews"_s}));
    EXPECT_EQ(parse_text_list("\xEF\xBB\xBF"), QStringList{});
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
