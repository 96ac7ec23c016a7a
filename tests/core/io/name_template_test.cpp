#include "core/io/name_template.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using qv::expand_name;
using qv::slug;

TEST(NameTemplate, SlugKeepsLettersAndDigitsOfAnyScript) {
    EXPECT_EQ(slug(u"  --Home--  "_s, 1), u"home"_s);
    EXPECT_EQ(slug(u"sub/Deep..Page 2"_s, 1), u"sub-deep-page-2"_s);
    EXPECT_EQ(slug(u"Cafe\u0301"_s, 1), u"café"_s);  // a separate accent joins its letter
    EXPECT_EQ(slug(u"\u0130\u032F"_s, 1), u"i\u032F\u0307"_s);  // marks in order after lowering
    EXPECT_EQ(slug(u"ΑΘΗΝΑ & Σπάρτη"_s, 1), u"αθηνα-σπάρτη"_s);
    EXPECT_EQ(slug(u"हिन्दी पेज"_s, 1), u"हिन्दी-पेज"_s);  // vowel signs stay with their letters
    EXPECT_EQ(slug(u"東京 2020"_s, 1), u"東京-2020"_s);
    EXPECT_EQ(slug(u"\U0001D400BC"_s, 1), u"\U0001D400bc"_s);  // beyond the 16-bit range
    EXPECT_EQ(slug(u"🙂 Smile"_s, 1), u"smile"_s);
    // Nothing to keep: the position names it.
    EXPECT_EQ(slug(u""_s, 7), u"7"_s);
    EXPECT_EQ(slug(u"?!/ 🙂"_s, 12), u"12"_s);
    EXPECT_EQ(slug(u"\u0301"_s, 3), u"3"_s);  // a mark alone is no letter
}

TEST(NameTemplate, FieldsAreFilledAndTheRestKept) {
    EXPECT_EQ(expand_name(qv::kDefaultNameTemplate, u"sub/Deep "_s, 4), u"sub/Deep "_s);
    EXPECT_EQ(expand_name(u"btn-{n}-{slug}"_s, u"Contact Us"_s, 12), u"btn-12-contact-us"_s);
    EXPECT_EQ(expand_name(u"{slug}{slug}/{label}"_s, u"A b"_s, 1), u"a-ba-b/A b"_s);
    EXPECT_EQ(expand_name(u"{n}}x"_s, u"L"_s, 2), u"2}x"_s);
    EXPECT_EQ(expand_name(u"{slug}"_s, u"{n}"_s, 5), u"n"_s);  // a label is never expanded
    EXPECT_EQ(expand_name(u"{label}"_s, u"{slug}"_s, 5), u"{slug}"_s);
}

TEST(NameTemplate, OnlyKnownFieldsAreAccepted) {
    for (const QString& good : {u"{label}"_s, u"x"_s, u"}"_s, u"{n}-{slug}.web"_s})
        EXPECT_FALSE(qv::name_template_error(good)) << good.toStdString();
    // The reason is the template's, in no program's terms: the tool names its own option.
    for (const QString& bad : {u""_s, u"{"_s, u"{Label}"_s, u"{slug"_s, u"{n}{x}"_s, u"{{n}}"_s}) {
        const auto error = qv::name_template_error(bad);
        EXPECT_TRUE(error && !error->contains(u"--")) << bad.toStdString();
    }
}

}  // namespace
