#include "core/render/composer.h"
#include "core/render/text_renderer.h"

#include <gtest/gtest.h>

namespace {

using namespace qv;

constexpr auto B = PassColour::Black, F = PassColour::Face;

// The face comes last, on top of every effect; the shadow alone is one pass, beside the outline
// it grows into a ring (the drawing tests check where each pass lands).
TEST(PassPlan, FaceLastAndTheShadowRingOnlyWithTheOutline) {
    EXPECT_EQ(pass_plan(false, false, false), (std::vector<Pass>{{0, 0, F}}));
    EXPECT_EQ(pass_plan(true, false, false), (std::vector<Pass>{{1, 1, B}, {0, 0, F}}));
    EXPECT_EQ(pass_plan(true, false, true).size(), 10u);
    const std::vector<Pass> all = pass_plan(true, true, true);
    ASSERT_EQ(all.size(), 25u);
    EXPECT_EQ(all.front(), (Pass{0, 0, B}));
    EXPECT_EQ(all.back(), (Pass{0, 0, F}));
}

// Centring and the left margin are drawn in the drawing tests.
TEST(Origins, RightAlignedButtonAndFontPreviewCentred) {
    EXPECT_EQ(button_origin_x(kAlignRight, 20, 41, 0, 5), -26);
    EXPECT_EQ(typo_origin(150, 36, 61, 15), QPoint(44, 10));  // no extra pixel
}

}  // namespace
