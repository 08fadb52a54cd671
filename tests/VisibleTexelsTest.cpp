#include "platform/gl/VisibleTexels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

// The texel an index reads: repeated where wrapped, the edge's where clamped.
int texelAt(int index, int size, bool wrap)
{
    if (wrap)
        return ((index % size) + size) % size;
    return index < 0 ? 0 : (index >= size ? size - 1 : index);
}

// Every index of the area looked at one by one.
VisibleTexels::Area scanned(const std::vector<std::uint32_t>& argb, int width, int height,
                            const VisibleTexels::Area& area, bool wrapColumns, bool wrapRows)
{
    VisibleTexels::Area found{{0, -1}, {0, -1}};
    for (int y = area.rows.first; y <= area.rows.last; ++y)
        for (int x = area.columns.first; x <= area.columns.last; ++x) {
            const std::uint32_t texel = argb[static_cast<std::size_t>(texelAt(y, height, wrapRows)) * width
                                             + texelAt(x, width, wrapColumns)];
            if (texel >> 24 == 0)
                continue;
            if (found.empty()) {
                found = {{x, x}, {y, y}};
                continue;
            }
            found.columns = {std::min(found.columns.first, x), std::max(found.columns.last, x)};
            found.rows = {std::min(found.rows.first, y), std::max(found.rows.last, y)};
        }
    return found;
}

}  // namespace

// Sparse and dense textures, areas inside and reaching a texture beyond each edge,
// wrapped and clamped: the bounds hold every visible texel a texel-by-texel look
// finds, and stay inside the area asked about.
TEST(VisibleTexelsTest, BoundsHoldEveryVisibleTexelOfTheAreaAndStayInIt)
{
    std::mt19937 random(7);
    for (const int percentVisible : {1, 30, 95}) {
        const int width = 13;
        const int height = 9;
        std::vector<std::uint32_t> argb(width * height);
        for (std::uint32_t& texel : argb)
            texel = static_cast<int>(random() % 100) < percentVisible ? 0x80FFFFFFu : 0x00FFFFFFu;
        const VisibleTexels texels(width, height, argb.data());
        for (int trial = 0; trial < 400; ++trial) {
            const auto span = [&](int size) {
                const int first = static_cast<int>(random() % (3 * size)) - size;
                const int last = first + static_cast<int>(random() % (2 * size - first));
                return VisibleTexels::Span{first, last};
            };
            const VisibleTexels::Area area{span(width), span(height)};
            const bool wrapColumns = random() % 2 == 0;
            const bool wrapRows = random() % 2 == 0;
            const VisibleTexels::Area expected = scanned(argb, width, height, area, wrapColumns, wrapRows);
            const VisibleTexels::Area got = texels.within(area, wrapColumns, wrapRows);
            if (expected.empty())
                continue;
            ASSERT_FALSE(got.empty()) << trial;
            EXPECT_LE(got.columns.first, expected.columns.first) << trial;
            EXPECT_GE(got.columns.last, expected.columns.last) << trial;
            EXPECT_LE(got.rows.first, expected.rows.first) << trial;
            EXPECT_GE(got.rows.last, expected.rows.last) << trial;
            EXPECT_GE(got.columns.first, area.columns.first) << trial;
            EXPECT_LE(got.columns.last, area.columns.last) << trial;
            EXPECT_GE(got.rows.first, area.rows.first) << trial;
            EXPECT_LE(got.rows.last, area.rows.last) << trial;
        }
    }
}

// A lone visible texel is found within its block of four, and an area without one
// is empty.
TEST(VisibleTexelsTest, ALoneTexelIsFoundInItsBlockAndNothingElsewhere)
{
    std::vector<std::uint32_t> argb(64 * 64, 0x00FFFFFFu);
    argb[37 * 64 + 21] = 0xFF000000u;
    const VisibleTexels texels(64, 64, argb.data());
    const VisibleTexels::Area found = texels.within({{0, 63}, {0, 63}}, false, false);
    EXPECT_EQ(found.columns.first, 20);
    EXPECT_EQ(found.columns.last, 23);
    EXPECT_EQ(found.rows.first, 36);
    EXPECT_EQ(found.rows.last, 39);
    EXPECT_TRUE(texels.within({{0, 15}, {0, 63}}, false, false).empty());
    EXPECT_TRUE(texels.within({{0, 63}, {44, 63}}, false, false).empty());
}
