#include "platform/web/StbPngDecoder.h"
#include "render/PngImage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

// The browser build decodes with stb_image; every image must come out exactly as
// libpng gives it to the desktop build, semi-transparent edges included.
TEST(BrowserDecoderTest, EveryGeneratedImageDecodesToTheDesktopsPixels)
{
    int compared = 0;
    for (const auto& file : fs::directory_iterator(TESSARO_DATA_DIR)) {
        if (file.path().extension() != ".png")
            continue;
        PngImage desktop;
        ASSERT_TRUE(desktop.load(file.path().string())) << file.path();
        int width = 0;
        int height = 0;
        std::vector<std::uint32_t> browser;
        ASSERT_TRUE(StbPngDecoder::decode(file.path().string(), PngImage::kMaxSide, width, height, browser))
            << file.path();
        EXPECT_EQ(width, desktop.width()) << file.path();
        EXPECT_EQ(height, desktop.height()) << file.path();
        EXPECT_TRUE(browser == desktop.pixels()) << file.path();
        ++compared;
    }
    EXPECT_GE(compared, 22);
}

TEST(BrowserDecoderTest, RefusesWhatTheDesktopRefuses)
{
    const fs::path dir = fs::temp_directory_path() / "tessaro-browser-decoder";
    fs::create_directories(dir);
    std::ifstream source(std::string(TESSARO_DATA_DIR) + "/title.png", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(source)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 100u);
    const fs::path truncated = dir / "truncated.png";
    std::ofstream(truncated, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size() / 2));
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    EXPECT_FALSE(StbPngDecoder::decode(truncated.string(), PngImage::kMaxSide, width, height, pixels));
    EXPECT_FALSE(StbPngDecoder::decode((dir / "missing.png").string(), PngImage::kMaxSide, width, height, pixels));
    // title.png is 512 wide: refused by a smaller limit before decoding.
    EXPECT_FALSE(StbPngDecoder::decode(std::string(TESSARO_DATA_DIR) + "/title.png", 511, width, height, pixels));
    EXPECT_EQ(width, 0);
    fs::remove_all(dir);
}
