// Fit search and line breaks against fake measures whose answers are known.
#include "core/render/label_fit.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

namespace {

using namespace qv;

// Ink `width` pixels wide, centred on a 150-pixel button.
InkSpan centred(int width) {
    return {75 - width / 2, 75 - width / 2 + width};
}

// Ink 7 pixels a point wide: within [5, 145) sizes up to 20 fit.
const FitBox kBox{5, 145};
InkSpan seven_a_point(int size) {
    return centred(7 * size);
}

// A measure that records what it was asked, and fails the test when asked twice.
struct Recorder {
    std::function<InkSpan(int)> ink;
    std::set<int> asked;
    InkSpan operator()(int size) {
        EXPECT_TRUE(asked.insert(size).second) << "size " << size << " measured twice";
        return ink(size);
    }
};

TEST(FitSize, LargestSizeThatFitsFoundInFewMeasurements) {
    for (int size : {21, 30, 100}) {
        Recorder r{seven_a_point, {}};
        const SizeChoice c = choose_size(size, 5, kBox, std::ref(r));
        EXPECT_EQ(c.size, 20) << size;
        EXPECT_TRUE(c.fits);
        EXPECT_LE(c.measured, 3) << size;  // the size, the guess, and one up to confirm
        EXPECT_EQ(int(r.asked.size()), c.measured);
        EXPECT_TRUE(r.asked.count(21)) << "one point larger is known not to fit";
    }
    Recorder fits_already{seven_a_point, {}};
    EXPECT_EQ(choose_size(12, 5, kBox, std::ref(fits_already)).size, 12);
    EXPECT_EQ(fits_already.asked, std::set<int>{12});
}

TEST(FitSize, NothingFitsOrNothingToSearch) {
    for (FitBox box : {FitBox{70, 72}, FitBox{100, 50}}) {  // too narrow; margins that cross
        const SizeChoice none = choose_size(30, 8, box, seven_a_point);
        EXPECT_EQ(none.size, 8);
        EXPECT_FALSE(none.fits);
    }
    // A min_size above the size keeps the size.
    const SizeChoice above = choose_size(30, 40, kBox, seven_a_point);
    EXPECT_EQ(above.size, 30);
    EXPECT_FALSE(above.fits);
    // No ink (a label of blanks) fits at any size.
    EXPECT_EQ(choose_size(30, 5, FitBox{70, 72}, [](int) { return InkSpan{80, 80}; }).size, 30);
    // Ink sticking out on the left only (an overhang with left alignment) steps down to what fits.
    const SizeChoice overhang = choose_size(30, 5, kBox, [](int s) {
        return InkSpan{s > 12 ? 4 : 5, 5 + 2 * s};
    });
    EXPECT_EQ(overhang.size, 12);
}

// Widths that wander (hinting, rounding) still give a size that fits with the next one up not
// fitting, inside the range, each size measured once, the same answer every time.
TEST(FitSize, MeasuresThatAreNotMonotoneStillGiveAnEdge) {
    std::mt19937 random(18);
    for (int round = 0; round < 300; ++round) {
        std::map<int, int> width;
        for (int s = 1; s <= 60; ++s) width[s] = int(6.5 * s) + int(random() % 41) - 20;
        Recorder r{[&](int s) { return centred(width[s]); }, {}};
        const int size = 10 + int(random() % 50);
        const int min_size = 3 + int(random() % 10);
        const SizeChoice c = choose_size(size, min_size, kBox, std::ref(r));
        ASSERT_GE(c.size, std::min(min_size, size));
        ASSERT_LE(c.size, size);
        EXPECT_EQ(c.fits, fits(centred(width[c.size]), kBox));
        if (c.fits && c.size < size) {
            EXPECT_FALSE(fits(centred(width[c.size + 1]), kBox));
        }
        for (int s : r.asked)
            EXPECT_TRUE(c.fits || !fits(centred(width[s]), kBox)) << "size " << s << " fits";
        Recorder again{r.ink, {}};
        EXPECT_EQ(choose_size(size, min_size, kBox, std::ref(again)).size, c.size);
    }
}

// Lines 10 pixels a character wide at size 10, in proportion at other sizes.
InkSpan ten_a_character(const QStringList& lines, int size) {
    qsizetype longest = 0;
    for (const QString& line : lines) longest = std::max(longest, line.size());
    return centred(int(longest * size));
}

TEST(Wrap, BreakMakesTheWiderLineNarrowest) {
    const std::pair<const char*, QStringList> cases[] = {
        {"a bb ccc dddd", {"a bb", "ccc dddd"}},  // 80 either way at the best two: the first
        {"Children's corner", {"Children's", "corner"}},
        {"one  two   three", {"one  two", "three"}},  // a run of spaces goes as one
        {"Einstellungsverwaltung", {"Einstellungsverwaltung"}},
        {"  padded  ", {"  padded  "}},
        {"aaaa\u00a0bbbb c", {"aaaa\u00a0bbbb", "c"}},  // a no-break space holds
        {"", {""}},
    };
    for (const auto& [label, lines] : cases)
        EXPECT_EQ(two_lines(QString::fromUtf8(label), 10, ten_a_character), lines) << label;
}

TEST(Wrap, FitLabelKeepsOneLineUntilItMustBreakThenShrinks) {
    auto fit = [](FitMode mode, const char* label) {
        return fit_label(mode, QString::fromUtf8(label), 10, 5, kBox, ten_a_character);
    };
    // 140 columns: 14 characters at size 10.
    EXPECT_EQ(fit(FitMode::Wrap, "About us").lines, QStringList{"About us"});

    const LabelFit two = fit(FitMode::Wrap, "Children's corner");  // 17 characters
    EXPECT_EQ(two.lines, (QStringList{"Children's", "corner"}));
    EXPECT_EQ(two.choice.size, 10);

    const LabelFit smaller = fit(FitMode::Wrap, "Einstellungsverwaltung und mehr");
    EXPECT_EQ(smaller.lines, (QStringList{"Einstellungsverwaltung", "und mehr"}));
    EXPECT_EQ(smaller.choice.size, 6);  // 22 characters: 6 fits in 140 columns, 7 does not

    const LabelFit no_space = fit(FitMode::Wrap, "Einstellungsverwaltung");
    EXPECT_EQ(no_space.lines.size(), 1);
    EXPECT_EQ(no_space.choice.size, 6);
    // Nothing to break: the same measurements as shrinking, the size's own not taken twice.
    EXPECT_EQ(no_space.choice.measured,
              fit(FitMode::Shrink, "Einstellungsverwaltung").choice.measured);

    const LabelFit shrunk = fit(FitMode::Shrink, "Children's corner");
    EXPECT_EQ(shrunk.lines.size(), 1);
    EXPECT_EQ(shrunk.choice.size, 8);

    EXPECT_EQ(fit(FitMode::None, "Einstellungsverwaltung").choice.size, 10);
}

}  // namespace
