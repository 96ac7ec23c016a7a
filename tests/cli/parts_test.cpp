#include "cli/contact_sheet.h"
#include "cli/html_page.h"
#include "cli/label_check.h"
#include "cli/options.h"
#include "cli/progress.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

using namespace qv::cli;

// Refused just outside every range, taken at its edge; never clamped.
TEST(Options, RangesAreRefusedNotClamped) {
    const QStringList io{"--labels", "l.txt", "--out", "o"};
    for (const char* bad : {"--size 4",
                            "--size 101",
                            "--size 12.5",
                            "--size ",
                            "--margin-left 201",
                            "--margin-right -1",
                            "--jobs 0",
                            "--jobs 257",
                            "--y 32768",
                            "--align centre",
                            "--format gif",
                            "--color 1,2",
                            "--color 1,x,3",
                            "--color 1,2,40000",
                            "--version --nope",
                            "--name {Slug}",
                            "--name=",
                            "--state-suffixes -a",
                            "--state-suffixes -a,-a",
                            "--state-suffixes ,-b",
                            "--fit squeeze",
                            "--min-size 0",
                            "--min-size 101",
                            "--stretch 5",
                            "--stretch -1,3",
                            "--stretch 99999,1",
                            "--stretch 1,2,3",
                            "--stretch 1.5,2",
                            "--stretch 4,4 --stretch-mode zigzag",
                            "--stretch 4,4 --max-width 8001",
                            "--stretch 4,4 --min-width 0"})
        EXPECT_FALSE(parse_options(io + QString(bad).split(' ')).ok()) << bad;
    for (const char* good :
         {"--size=5", "--size 100", "--margin-right 200", "--y -32768", "--jobs 256",
          "--color 12.5,300,-5", "--align right", "--name btn-{n}-{slug}",
          "--state-suffixes _over,_down", "--fit wrap --min-size 100 --size 5", "--stretch 0,2000",
          "--stretch 4,4 --min-width 8 --max-width 8 --stretch-mode tile"})
        EXPECT_TRUE(parse_options(io + QString(good).split(' ')).ok()) << good;
    EXPECT_FALSE(parse_options({"--labels", "l.txt"}).ok());  // no --out
    EXPECT_TRUE(parse_options({"--labels", "l.txt", "--check"}).ok());
}

// The stretch's mode and bounds change a stretch: without one they are refused (unless a style
// file, read later, may have it), and bounds that leave no width are refused however they are
// given. --stretch over a style's stretch changes only the caps.
TEST(Options, StretchBoundsNeedAStretchAndRoomForTheCaps) {
    const QStringList io{"--labels", "l.txt", "--out", "o"};
    const std::pair<const char*, const char*> refused[] = {
        {"--stretch-mode tile", "--stretch-mode changes a stretched background: it needs"},
        {"--max-width 90", "--max-width changes a stretched background"},
        {"--stretch 50,60 --max-width 100", "the largest width (100) is less than the two caps"},
        {"--stretch 5,5 --min-width 90 --max-width 80", "the smallest width (90) is above"}};
    for (const auto& [args, says] : refused) {
        const auto parsed = parse_options(io + QString(args).split(' '));
        EXPECT_TRUE(!parsed && parsed.error().contains(says))
            << args << ": " << (parsed ? "taken" : parsed.error().toStdString());
    }
    EXPECT_TRUE(parse_options(io + QStringList{"--style", "s.qvstyle", "--min-width", "9"}).ok());

    Options styled;
    styled.style_file_read = true;
    styled.style.stretch = qv::Stretch{10, 12, qv::StretchMode::Tile, 40, 300};
    const auto over =
        parse_options(io + QStringList{"--stretch", "3,4", "--max-width", "200"}, styled);
    ASSERT_TRUE(over.ok()) << over.error().toStdString();
    EXPECT_EQ(over->options.style.stretch, (qv::Stretch{3, 4, qv::StretchMode::Tile, 40, 200}));
    styled.style.stretch.reset();
    EXPECT_FALSE(parse_options(io + QStringList{"--min-width", "9"}, styled).ok());
}

// What the parser reads besides the values: help and version over anything missing, an option
// given twice, and what is not an option at all.
TEST(Options, ActionsRepeatsAndStrays) {
    EXPECT_EQ(parse_options({"-h"})->action, Action::Help);
    EXPECT_EQ(parse_options({"--size", "7", "--version"})->action, Action::Version);
    const auto twice = parse_options({"--labels=-", "--out=o", "--size=7", "--size", "9"});
    ASSERT_TRUE(twice.ok());
    EXPECT_EQ(twice->options.labels_path, "-");
    EXPECT_EQ(twice->options.style.size, 9);  // the last one holds, each checked
    EXPECT_FALSE(parse_options({"--labels", "l", "--out", "o", "--size", "4", "--size", "9"}).ok());
    const std::pair<QStringList, const char*> refused[] = {
        {{"-x"}, "unknown option \"-x\""},
        {{"--frob=1"}, "unknown option \"--frob\""},
        {{"--bold=1"}, "--bold"},
        {{"--size"}, "--size"},
        {{"labels.txt"}, "unexpected argument \"labels.txt\""},
        {{"--", "--labels"}, "unexpected argument \"--labels\""}};
    for (const auto& [args, says] : refused) {
        const auto parsed = parse_options(args);
        EXPECT_TRUE(!parsed && parsed.error().contains(QString::fromUtf8(says)))
            << (parsed ? "taken" : parsed.error().toStdString());
    }
}

// Any two files of different labels with one name, whichever looks they belong to, as the file
// system names them; the same label listed twice is no conflict.
TEST(LabelCheck, LabelsSharingAFileName) {
    const QStringList labels{"Home", "News", "HOME!", "a", "a-hover", "b", "Home"};
    const QStringList names{"home", "news", "home", "a", "a-hover", "b", "home"};
    using Found = std::vector<qsizetype>;
    EXPECT_EQ(labels_sharing_names(labels, names, {""}), (Found{0, 2}));
    EXPECT_EQ(labels_sharing_names(labels, names, {"", "-hover"}), (Found{0, 2, 3, 4}));
    EXPECT_EQ(labels_sharing_names({"a", "b"}, {"a", "b"}, {"", "-x", "-y"}), Found{});
    EXPECT_EQ(labels_sharing_names({"a", "a"}, {"a", "a"}, {"", "-x"}), Found{});
    EXPECT_EQ(labels_sharing_names({"a"}, {"a"}, {"", ""}), Found{0});  // a look over the main one
    const QString high = QStringLiteral("x") + QChar(0xD800);
    const QString low = QStringLiteral("x") + QChar(0xDC00);
    EXPECT_EQ(labels_sharing_names({high, low}, {high, low}, {""}), (Found{0, 1}));
    EXPECT_EQ(labels_sharing_names({"a/b", "a//b"}, {"a/b", "a//b"}, {""}), (Found{0, 1}));
}

TEST(HtmlPage, RelativeUrlsAndEscapedLabels) {
    EXPECT_EQ(relative_url("/w/site", "/w/site/img/a b#1?.png"), "img/a%20b%231%3F.png");
    EXPECT_EQ(relative_url("/w/site/pages", "/w/site/img/caf\u00e9.png"), "../img/caf%C3%A9.png");
    const QString page = page_html({{"<b>\"Q&A\"", {"/w/x.png", {80, 30}}, {}, {}}}, "/w", "t");
    EXPECT_TRUE(page.contains(R"(<img class="m" src="x.png" alt="&lt;b&gt;&quot;Q&amp;A&quot;" )"
                              R"(width="80" height="30">)"))
        << page.toStdString();
    EXPECT_FALSE(page.contains("<script") || page.contains("http") || page.contains(":hover"));
    // "%" in an encoded name or a label is text, never a place to fill in.
    const QString hostile =
        page_html({{"%1 100%", {"/w/v2=new/FAQ?.png", {80, 30}}, {}, {}}}, "/w", "%2");
    EXPECT_TRUE(hostile.contains(R"(src="v2%3Dnew/FAQ%3F.png" alt="%1 100%" width="80" )"
                                 R"(height="30">)"))
        << hostile.toStdString();
    EXPECT_TRUE(hostile.contains("<title>%2</title>"));
}

TEST(ContactSheet, NearlySquareGridAndALimit) {
    const auto square = sheet_layout(4, {65, 43});
    ASSERT_TRUE(square.ok()) << square.error().toStdString();
    EXPECT_EQ(square->size, QSize(2 * 69 + 4, 2 * 47 + 4));
    const auto flat = sheet_layout(7, {150, 10});  // flat buttons: fewer columns
    ASSERT_TRUE(flat.ok()) << flat.error().toStdString();
    EXPECT_TRUE(flat->columns * flat->rows >= 7 && flat->columns < flat->rows);
    EXPECT_FALSE(sheet_layout(100'000, {150, 56}).ok());

    // Buttons of their own widths fill rows in order, a row ending where the next would pass
    // the width that keeps the sheet about square; a button wider than that has a row alone.
    const auto varied = sheet_layout({30, 100, 30, 30, 300, 30}, 20);
    ASSERT_TRUE(varied.ok()) << varied.error().toStdString();
    const int g = kSheetGap;
    EXPECT_EQ(varied->places, (std::vector<QPoint>{{g, g},
                                                   {2 * g + 30, g},
                                                   {3 * g + 130, g},
                                                   {4 * g + 160, g},
                                                   {g, 2 * g + 20},
                                                   {g, 3 * g + 40}}));
    EXPECT_EQ(varied->size, QSize(g + 304, 4 * g + 60));
}

// The bar is drawn on the stream it was given (the one checked for a terminal), and cleared:
// a quarter (7 of 30 marks, rounded down), the next update too soon to draw, then the whole.
TEST(ProgressBar, DrawsOnItsOwnStream) {
    std::FILE* stream = std::tmpfile();
    ASSERT_NE(stream, nullptr);
    {
        ProgressBar bar(stream, 4, true);
        bar.update(1);
        bar.update(2);
        bar.update(4);
        bar.finish();
    }
    std::rewind(stream);
    char text[128] = {};
    const size_t n = std::fread(text, 1, sizeof text - 1, stream);
    std::fclose(stream);
    EXPECT_EQ(std::string(text, n),
              "\r[#######-----------------------]  25% 1/4"
              "\r[##############################] 100% 4/4\r\033[K");
}

}  // namespace
