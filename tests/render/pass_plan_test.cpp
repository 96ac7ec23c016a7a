#include "render/composer.h"
#include "render/text_renderer.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

constexpr auto B = PassColour::Black;
constexpr auto D = PassColour::Dark;
constexpr auto L = PassColour::Light;
constexpr auto F = PassColour::Face;

const std::vector<Pass> kShadowRing = {{0, 0, B}, {1, 0, B}, {2, 0, B}, {0, 1, B},
                                       {2, 1, B}, {0, 2, B}, {1, 2, B}, {2, 2, B}};
const std::vector<Pass> kOutline = {{-1, -1, B}, {0, -1, B}, {1, -1, B}, {-1, 0, B},
                                    {1, 0, B},   {-1, 1, B}, {0, 1, B},  {1, 1, B}};
const std::vector<Pass> kRelief = {{1, -1, D}, {-1, -1, L}, {0, -1, L}, {-1, 0, L},
                                   {-1, 1, L}, {1, 0, D},   {0, 1, D},  {1, 1, D}};

std::vector<Pass> join(std::initializer_list<std::vector<Pass>> parts) {
    std::vector<Pass> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    all.push_back({0, 0, F});
    return all;
}

TEST(PassPlan, EveryCombinationOfEffects) {
    const std::vector<Pass> shadow = {{1, 1, B}};
    EXPECT_EQ(pass_plan(false, false, false), join({}));
    EXPECT_EQ(pass_plan(true, false, false), join({shadow}));
    EXPECT_EQ(pass_plan(false, true, false), join({kOutline}));
    EXPECT_EQ(pass_plan(false, false, true), join({kRelief}));
    EXPECT_EQ(pass_plan(true, true, false), join({kShadowRing, kOutline}));
    EXPECT_EQ(pass_plan(true, false, true), join({shadow, kRelief}));
    EXPECT_EQ(pass_plan(false, true, true), join({kOutline, kRelief}));
    EXPECT_EQ(pass_plan(true, true, true), join({kShadowRing, kOutline, kRelief}));
    EXPECT_EQ(pass_plan(true, true, false).size(), 17u);
    EXPECT_EQ(pass_plan(true, true, true).size(), 25u);
}

TEST(Origins, ButtonByAlignment) {
    EXPECT_EQ(button_origin_x(kAlignCentre, 65, 20, 0, 0), 23);
    EXPECT_EQ(button_origin_x(kAlignCentre, 100, 41, 7, 9), 30);  // margins ignored
    EXPECT_EQ(button_origin_x(kAlignRight, 100, 41, 0, 5), 54);
    EXPECT_EQ(button_origin_x(kAlignRight, 20, 41, 0, 0), -21);
    EXPECT_EQ(button_origin_x(kAlignLeft, 100, 41, 2.5, 0), 2.5);  // the pass rounds it
    EXPECT_EQ(button_origin_x(3, 100, 41, 5, 5), 0);
}

TEST(Origins, FontPreviewCentresWithoutTheExtraPixel) {
    EXPECT_EQ(typo_origin(150, 36, 60, 16), QPoint(45, 10));
    EXPECT_EQ(typo_origin(150, 36, 61, 15), QPoint(44, 10));
    EXPECT_EQ(typo_origin(150, 36, 161, 15), QPoint(-6, 10));
}

}  // namespace
}  // namespace qv
