#include "compare/PictureComparison.h"

#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 8;
// As loose as two devices need: a pixel beside, 8 a channel, colour only.
constexpr PictureComparison::Tolerance kBeside{.channel = 8, .alpha = false, .reach = 1, .unmatchedPerMille = 2};
// As strict as one device against itself: in place, 4 a channel, alpha too.
constexpr PictureComparison::Tolerance kInPlace{.channel = 4, .alpha = true, .reach = 0, .unmatchedPerMille = 1};

// A black picture with a white square whose edges a test may move or soften.
std::vector<std::uint32_t> square(int left, int top, std::uint32_t edge = 0xFFFFFFFFu)
{
    std::vector<std::uint32_t> picture(kWidth * kHeight, 0xFF000000u);
    for (int y = top; y < top + 4; ++y)
        for (int x = left; x < left + 6; ++x)
            picture[static_cast<std::size_t>(y) * kWidth + x] =
                x == left || x == left + 5 ? edge : 0xFFFFFFFFu;
    return picture;
}

long unmatched(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b,
               const PictureComparison::Tolerance& tolerance)
{
    return PictureComparison(a, b, kWidth, kHeight, tolerance).unmatched();
}

}  // namespace

TEST(PictureComparisonTest, EdgesAPixelApartMatchButSoftenedOrMovedPicturesDoNot)
{
    const auto original = square(4, 2);
    EXPECT_EQ(unmatched(original, original, kBeside), 0);
    // Within the channel tolerance, or one pixel across or down: the same picture.
    EXPECT_EQ(unmatched(original, square(4, 2, 0xFFF8F8F8u), kBeside), 0);
    EXPECT_EQ(unmatched(original, square(5, 2), kBeside), 0);
    EXPECT_EQ(PictureComparison(original, square(4, 3), kWidth, kHeight, kBeside).largestDifference(), 255);
    EXPECT_EQ(unmatched(original, square(4, 3), kBeside), 0);
    // Half a texel off with linear filtering: grey edges neither picture has.
    EXPECT_EQ(unmatched(original, square(4, 2, 0xFF808080u), kBeside), 8);
    // Two pixels away is a different picture.
    EXPECT_GT(unmatched(original, square(6, 2), kBeside), 0);
    EXPECT_FALSE(PictureComparison(original, std::vector<std::uint32_t>(3), kWidth, kHeight, kBeside).same());
    EXPECT_FALSE(PictureComparison({}, {}, kWidth, kHeight, kBeside).same());
    EXPECT_FALSE(PictureComparison({}, {}, 0, 0, kBeside).same());
}

TEST(PictureComparisonTest, InPlaceEveryChannelCountsAndNothingBesideDoes)
{
    const auto original = square(4, 2);
    EXPECT_EQ(unmatched(original, square(4, 2, 0xFFFBFBFBu), kInPlace), 0);
    // One step beyond the tolerance in one channel: both edges, four rows each.
    EXPECT_EQ(unmatched(original, square(4, 2, 0xFFFFFAFFu), kInPlace), 8);
    // A square a pixel over differs at its old left edge and its new right one.
    EXPECT_EQ(unmatched(original, square(5, 2), kInPlace), 8);
    // Alpha counts only where the tolerance says so.
    const auto translucent = square(4, 2, 0x80FFFFFFu);
    EXPECT_EQ(unmatched(original, translucent, kInPlace), 8);
    EXPECT_EQ(PictureComparison(original, translucent, kWidth, kHeight, kInPlace).largestDifference(), 0x7F);
    EXPECT_EQ(unmatched(original, translucent, kBeside), 0);
    EXPECT_EQ(PictureComparison(original, translucent, kWidth, kHeight, kBeside).largestDifference(), 0);
}

TEST(PictureComparisonTest, AFewUnmatchedPixelsInAThousandAreAllowedAndMarked)
{
    constexpr int kSide = 100;
    std::vector<std::uint32_t> a(kSide * kSide, 0xFF000000u);
    std::vector<std::uint32_t> b = a;
    const PictureComparison none(a, b, kSide, kSide, kBeside);
    EXPECT_EQ(none.mostUnmatched(), kSide * kSide * kBeside.unmatchedPerMille / 1000);
    EXPECT_EQ(PictureComparison(a, b, kSide, kSide, kInPlace).mostUnmatched(), kSide * kSide / 1000);
    // Isolated grey dots, each matching nothing near it.
    constexpr std::size_t kApart = 37;
    for (long dot = 0; dot <= none.mostUnmatched(); ++dot)
        b[static_cast<std::size_t>(dot) * kApart] = 0xFF808080u;
    b[0] = 0xFF000000u;
    const PictureComparison fewest(a, b, kSide, kSide, kBeside);
    EXPECT_TRUE(fewest.same());
    for (std::size_t i = 0; i < a.size(); ++i)
        EXPECT_EQ(fewest.unmatchedAt(i), b[i] != a[i]) << i;
    EXPECT_FALSE(fewest.unmatchedAt(a.size()));
    b[0] = 0xFF808080u;
    EXPECT_FALSE(PictureComparison(a, b, kSide, kSide, kBeside).same());
}
