#include "platform/gl/FanReach.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

// An upright quad from (left, top) to (right, bottom) showing the whole texture,
// or mirrored where right < left.
void quad(SpriteVertex (&fan)[4], float left, float top, float right, float bottom)
{
    const float u[] = {0, 1, 1, 0};
    const float v[] = {0, 0, 1, 1};
    const float x[] = {left, right, right, left};
    const float y[] = {top, top, bottom, bottom};
    for (int i = 0; i < 4; ++i)
        fan[i] = SpriteVertex{x[i], y[i], 0, 1, 0xFFFFFFFFu, u[i], v[i]};
}

}  // namespace

// Only an upright quad within reach has a known reach; a transparent one reaches
// nothing, and a mirrored one reaches the same pixels as its image.
TEST(FanReachTest, KnownForUprightQuadsWithinReachAndMirroredAlike)
{
    std::vector<std::uint32_t> texels(16 * 16, 0x00000000u);
    texels[8 * 16 + 12] = 0xFFFFFFFFu;  // column 12, row 8: x 48 to 52, y 32 to 36 at four a texel
    const VisibleTexels visible(16, 16, texels.data());
    const FanReach::Sampling sampling{visible, false, false};
    SpriteVertex fan[4];

    quad(fan, 0, 0, 64, 64);
    const std::optional<FanReach::Rect> upright = FanReach::of(fan, sampling);
    ASSERT_TRUE(upright.has_value());
    EXPECT_LE(upright->left, 48.0f);
    EXPECT_GE(upright->right, 52.0f);
    EXPECT_LT(upright->right - upright->left, 64.0f);
    EXPECT_LT(upright->bottom - upright->top, 64.0f);

    quad(fan, 64, 0, 0, 64);  // mirrored: the texel lands at x 12 to 16
    const std::optional<FanReach::Rect> mirrored = FanReach::of(fan, sampling);
    ASSERT_TRUE(mirrored.has_value());
    EXPECT_LE(mirrored->left, 12.0f);
    EXPECT_GE(mirrored->right, 16.0f);
    EXPECT_LT(mirrored->right - mirrored->left, 64.0f);

    fan[1].y += 1;  // no longer upright
    EXPECT_FALSE(FanReach::of(fan, sampling).has_value());
    for (const float far : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), 3e9f}) {
        quad(fan, 0, 0, far, 64);
        EXPECT_FALSE(FanReach::of(fan, sampling).has_value()) << far;
    }

    const std::vector<std::uint32_t> clear(16 * 16, 0x00FFFFFFu);
    const VisibleTexels none(16, 16, clear.data());
    quad(fan, 0, 0, 64, 64);
    const std::optional<FanReach::Rect> nothing = FanReach::of(fan, {none, true, true});
    ASSERT_TRUE(nothing.has_value());
    EXPECT_TRUE(nothing->empty());
}
