#include "cli/contact_sheet.h"
#include "cli/label_check.h"
#include "cli/options.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using qv::cli::parse_options;

QStringList with_io(QStringList args) {
    return QStringList{"--labels", "l.txt", "--out", "o"} + args;
}

TEST(Options, RangesAreRefusedNotClamped) {
    for (const QStringList& bad : {QStringList{"--size", "4"},
                                   {"--size", "101"},
                                   {"--size", "12.5"},
                                   {"--size", ""},
                                   {"--margin-left", "201"},
                                   {"--margin-right", "-1"},
                                   {"--jobs", "0"},
                                   {"--y", "32768"},
                                   {"--align", "centre"},
                                   {"--format", "gif"},
                                   {"--color", "1,2"},
                                   {"--color", "1,x,3"},
                                   {"--color", "1,2,40000"},
                                   {"--size"},
                                   {"--bold=1"},
                                   {"--nope"}}) {
        const auto parsed = parse_options(with_io(bad));
        EXPECT_FALSE(parsed.ok()) << bad.join(' ').toStdString();
    }
    EXPECT_FALSE(parse_options({"--labels", "l.txt"}).ok());  // no --out
    EXPECT_TRUE(parse_options({"--labels", "l.txt", "--check"}).ok());
}

TEST(Options, ValuesAsTheWindowReadsThem) {
    const auto parsed = parse_options(
        with_io({"--size=5", "--y", "-32768", "--color", "12.5, 300 ,-5", "--margin-left", "200",
                 "--align", "right", "--format", "png", "--3d", "--jobs", "3"}));
    ASSERT_TRUE(parsed.ok()) << parsed.error().toStdString();
    const qv::cli::Options& o = parsed->options;
    EXPECT_EQ(o.size, 5);
    EXPECT_EQ(o.text_y, std::int16_t(-32768));
    EXPECT_EQ(o.color[0], "12.5");  // kept as text: the 3D shades read the real number
    EXPECT_EQ(o.color[1], " 300 ");
    EXPECT_EQ(o.margin_left, 200);
    EXPECT_EQ(o.align, qv::kAlignRight);
    EXPECT_EQ(o.format, qv::ButtonFormat::Png);
    EXPECT_TRUE(o.relief);
    EXPECT_EQ(o.jobs, 3);
    EXPECT_EQ(parse_options({"--version", "--bogus-later-is-still-an-error"}).ok(), false);
    EXPECT_EQ(parse_options({"--help"})->action, qv::cli::Action::Help);
}

TEST(LabelCheck, EffectPixelsAndTheAlignedMargin) {
    using qv::cli::fits;
    using qv::cli::ink_span;
    EXPECT_EQ(ink_span(10, 20.5, false, false, false).right, 30.5);
    EXPECT_EQ(ink_span(10, 20, true, false, false).right, 31);  // shadow at +1
    EXPECT_EQ(ink_span(10, 20, true, true, false).right, 32);   // shadow ring reaches +2
    EXPECT_EQ(ink_span(10, 20, false, false, true).left, 9);
    EXPECT_EQ(ink_span(10, 20, true, false, false).left, 10);

    EXPECT_TRUE(fits({0, 65}, 65, qv::kAlignCentre, 9, 9));  // margins only on their side
    EXPECT_FALSE(fits({-1, 30}, 65, qv::kAlignCentre, 0, 0));
    EXPECT_FALSE(fits({0, 65.5}, 65, qv::kAlignCentre, 0, 0));
    EXPECT_TRUE(fits({10, 60}, 65, qv::kAlignRight, 0, 5));
    EXPECT_FALSE(fits({10, 60.5}, 65, qv::kAlignRight, 0, 5));
    EXPECT_TRUE(fits({3, 20}, 65, qv::kAlignLeft, 3, 0));
    EXPECT_FALSE(fits({2, 20}, 65, qv::kAlignLeft, 3, 0));
}

TEST(ContactSheet, NearlySquareGridAndALimit) {
    const auto four = qv::cli::sheet_layout(4, {65, 43});
    ASSERT_TRUE(four.ok());
    EXPECT_EQ(four->columns, 2);
    EXPECT_EQ(four->rows, 2);
    EXPECT_EQ(four->size, QSize(2 * 69 + 4, 2 * 47 + 4));
    const auto seven = qv::cli::sheet_layout(7, {150, 10});  // flat buttons: fewer columns
    ASSERT_TRUE(seven.ok());
    EXPECT_EQ(seven->columns * seven->rows >= 7, true);
    EXPECT_LT(seven->columns, seven->rows);
    EXPECT_EQ(qv::cli::sheet_layout(1, {65, 43})->columns, 1);
    EXPECT_FALSE(qv::cli::sheet_layout(100'000, {150, 56}).ok());
}

}  // namespace
