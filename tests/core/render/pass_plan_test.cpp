#include "core/render/composer.h"
#include "core/render/text_renderer.h"

#include <gtest/gtest.h>

namespace {

using namespace qv;

constexpr auto B = PassColour::Black, D = PassColour::Dark, L = PassColour::Light;

const std::vector<Pass> kShadowRing = {{0, 0, B}, {1, 0, B}, {2, 0, B}, {0, 1, B},
                                       {2, 1, B}, {0, 2, B}, {1, 2, B}, {2, 2, B}};
const std::vector<Pass> kOutline = {{-1, -1, B}, {0, -1, B}, {1, -1, B}, {-1, 0, B},
                                    {1, 0, B},   {-1, 1, B}, {0, 1, B},  {1, 1, B}};
const std::vector<Pass> kRelief = {{1, -1, D}, {-1, -1, L}, {0, -1, L}, {-1, 0, L},
                                   {-1, 1, L}, {1, 0, D},   {0, 1, D},  {1, 1, D}};

// The face comes last, on top of every effect: 1, 2, 9, 17 or 25 passes in all.
std::vector<Pass> then_face(std::initializer_list<std::vector<Pass>> effects) {
    std::vector<Pass> all;
    for (const auto& e : effects) all.insert(all.end(), e.begin(), e.end());
    all.push_back({0, 0, PassColour::Face});
    return all;
}

TEST(PassPlan, EveryCombinationOfEffects) {
    EXPECT_EQ(pass_plan(false, false, false), then_face({}));
    EXPECT_EQ(pass_plan(true, false, false), then_face({{{1, 1, B}}}));
    EXPECT_EQ(pass_plan(false, true, false), then_face({kOutline}));
    EXPECT_EQ(pass_plan(false, false, true), then_face({kRelief}));
    EXPECT_EQ(pass_plan(true, true, false), then_face({kShadowRing, kOutline}));
    EXPECT_EQ(pass_plan(true, false, true), then_face({{{1, 1, B}}, kRelief}));
    EXPECT_EQ(pass_plan(false, true, true), then_face({kOutline, kRelief}));
    EXPECT_EQ(pass_plan(true, true, true), then_face({kShadowRing, kOutline, kRelief}));
}

TEST(Origins, ButtonByAlignmentAndFontPreviewCentred) {
    EXPECT_EQ(button_origin_x(kAlignCentre, 65, 20, 0, 0), 23);
    EXPECT_EQ(button_origin_x(kAlignCentre, 100, 41, 7, 9), 30);  // margins ignored
    EXPECT_EQ(button_origin_x(kAlignRight, 100, 41, 0, 5), 54);
    EXPECT_EQ(button_origin_x(kAlignRight, 20, 41, 0, 0), -21);
    EXPECT_EQ(button_origin_x(kAlignLeft, 100, 41, 2.5, 0), 2.5);  // the pass rounds it
    EXPECT_EQ(button_origin_x(3, 100, 41, 5, 5), 0);
    // The font preview has no extra pixel.
    EXPECT_EQ(typo_origin(150, 36, 60, 16), QPoint(45, 10));
    EXPECT_EQ(typo_origin(150, 36, 61, 15), QPoint(44, 10));
    EXPECT_EQ(typo_origin(150, 36, 161, 15), QPoint(-6, 10));
}

}  // namespace
