#include "TestSupport.h"
#include "render/PngImage.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

PngImage image(const std::string& name)
{
    PngImage png;
    EXPECT_TRUE(png.load(std::string(TESSARO_DATA_DIR) + "/" + name + ".png")) << name;
    return png;
}

int alphaAt(const PngImage& png, int x, int y) { return static_cast<int>(png.pixels()[static_cast<std::size_t>(y) * png.width() + x] >> 24); }

// The most opaque texel of a rectangle.
int ink(const PngImage& png, int left, int top, int width, int height)
{
    int most = 0;
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            most = std::max(most, alphaAt(png, x, y));
    return most;
}

bool hasGlyph(int row, int column)
{
    switch (row % 3) {
    case 0: return column < 10;
    case 1: return true;
    default: return column <= 10;
    }
}

}  // namespace

TEST(ArtTest, EveryImageHasTheSizeTheGameDeclares)
{
    const std::pair<const char*, int> sizes[] = {
        {"font", 512},    {"bg", 512},         {"enemy01", 64},      {"enemy02", 64},      {"enemy03", 64},
        {"enemy04", 64},  {"enemy05", 64},     {"bigenemy01", 128},  {"bigenemy02", 128},  {"bigenemy02_c", 64},
        {"flash", 128},   {"cursor", 64},      {"chain", 32},        {"bomb", 64},         {"base", 128},
        {"gage", 128},    {"information", 32}, {"intro1", 512},      {"intro2", 512},      {"intro3", 512},
        {"title", 512},   {"cursor2", 64},     {"icon", 32},
    };
    for (const auto& [name, side] : sizes) {
        const PngImage png = image(name);
        EXPECT_EQ(png.width(), side) << name;
        EXPECT_EQ(png.height(), side) << name;
    }
}

TEST(ArtTest, GlyphSheetHoldsItsGlyphsInTheirCellsOnly)
{
    const PngImage font = image("font");
    for (int row = 0; row < 16; ++row)
        for (int column = 0; column < 16; ++column) {
            const bool glyph = row < 9 && hasGlyph(row, column);
            const int left = column * 32;
            const int top = row * 32;
            if (glyph)
                EXPECT_EQ(ink(font, left, top, 24, 32), 255) << row << "," << column;
            else
                EXPECT_EQ(ink(font, left, top, 32, 32), 0) << row << "," << column;
            // Spacing 24 never lets neighbours touch.
            EXPECT_EQ(ink(font, left + 23, top, 9, 32), 0) << row << "," << column;
        }
}

TEST(ArtTest, PointerTipAndFlashEdges)
{
    EXPECT_GT(alphaAt(image("cursor"), 0, 0), 128);
    const PngImage flash = image("flash");
    EXPECT_EQ(ink(flash, 0, 0, 128, 2), 0);
    EXPECT_GE((flash.pixels()[64 * 128 + 64] >> 16) & 255, 240u);
    // The background meets the plain green around it.
    const PngImage bg = image("bg");
    EXPECT_EQ(bg.pixels()[0], 0xFF10C010u);
    EXPECT_EQ(bg.pixels()[256 * 512 + 511], 0xFF10C010u);
}

TEST(ArtTest, TheGeneratorWritesTheSameBytesEveryRun)
{
    TemporaryFolder folder(false);
    ASSERT_EQ(std::system(TESSARO_ARTGEN " data ."), 0);
    for (const char* name : {"font", "title", "bomb", "intro3"}) {
        const std::string path = std::string("data/") + name + ".png";
        std::ifstream fresh(path, std::ios::binary);
        std::ifstream shipped(std::string(TESSARO_DATA_DIR) + "/" + name + ".png", std::ios::binary);
        const std::string a((std::istreambuf_iterator<char>(fresh)), std::istreambuf_iterator<char>());
        const std::string b((std::istreambuf_iterator<char>(shipped)), std::istreambuf_iterator<char>());
        EXPECT_FALSE(a.empty()) << name;
        EXPECT_EQ(a, b) << name;
    }
}
