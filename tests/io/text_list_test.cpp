#include "io/text_list.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>

using namespace Qt::StringLiterals;

namespace {

QStringList parse(const char* bytes, qsizetype size = -1) {
    return qv::parse_text_list(
        QByteArrayView(bytes, size < 0 ? qsizetype(std::strlen(bytes)) : size));
}

TEST(TextList, LineEndsAndLabelsKeptExactly) {
    const QStringList two{"Home", "News"};
    EXPECT_EQ(parse("Home\r\nNews\r\n"), two);
    EXPECT_EQ(parse("Home\r\nNews"), two);
    EXPECT_EQ(parse("Home\rNews\r"), two);
    EXPECT_EQ(parse("Home\nNews\n"), QStringList{"Home\nNews\n"});
    EXPECT_EQ(parse("Home\r\n\r\nNews"), (QStringList{"Home", "", "News"}));
    EXPECT_EQ(parse("Home\r\r\n"), (QStringList{"Home", ""}));
    EXPECT_EQ(parse("  Home\t\r\n \r\n"), (QStringList{"  Home\t", " "}));
    EXPECT_EQ(parse("\r\n"), QStringList{""});
    EXPECT_EQ(parse(""), QStringList{});
    EXPECT_EQ(parse("a\0b\r", 4), QStringList{QString("a") + QChar(0) + "b"});
}

TEST(TextList, Utf8WhereValidOtherwiseWindows1252) {
    EXPECT_EQ(parse("\xEF\xBB\xBFHome\r\nNews"), (QStringList{u"\uFEFFHome"_s, "News"}));
    EXPECT_EQ(parse("caf\xC3\xA9\r\ncaf\xE9"), (QStringList{u"café"_s, u"café"_s}));
    EXPECT_EQ(qv::decode_label("\x80\x81\x8D\x8F\x90\x9D\x9F\xFF"),
              u"\u20AC\u0081\u008D\u008F\u0090\u009D\u0178\u00FF"_s);
    EXPECT_EQ(qv::decode_label("\xE2\x82\xAC \xF0\x9F\x98\x80"), u"\u20AC \U0001F600"_s);
    // Not UTF-8: overlong, surrogate, cut short, beyond U+10FFFF.
    EXPECT_EQ(qv::decode_label("\xC0\xAF"), u"\u00C0\u00AF"_s);
    EXPECT_EQ(qv::decode_label("\xED\xA0\x80"), u"\u00ED\u00A0\u20AC"_s);
    EXPECT_EQ(qv::decode_label("ab\xE2\x82"), u"ab\u00E2\u201A"_s);
    EXPECT_EQ(qv::decode_label("\xF4\x90\x80\x80"), u"\u00F4\u0090\u20AC\u20AC"_s);
}

TEST(TextList, ReadsAFileOrSaysWhyNot) {
    QTemporaryDir dir;
    const QString path = dir.filePath("list.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QByteArray big;
    for (int i = 0; i < 100000; ++i) big += "label " + QByteArray::number(i) + "\r\n";
    file.write(big);
    file.close();
    const auto list = qv::read_text_list(path);
    ASSERT_TRUE(list.ok()) << list.error().toStdString();
    ASSERT_EQ(list->size(), 100000);
    EXPECT_EQ(list->back(), "label 99999");

    const auto missing = qv::read_text_list(dir.filePath("none.txt"));
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error(),
              "Cannot read " + dir.filePath("none.txt") + ": No such file or directory");
    const auto folder = qv::read_text_list(dir.path());
    ASSERT_FALSE(folder.ok());
    EXPECT_EQ(folder.error(), "Cannot read " + dir.path() + ": Is a directory");
}

}  // namespace
