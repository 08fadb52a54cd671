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
        std::string why;
        ASSERT_TRUE(StbPngDecoder::decode(file.path().string(), PngImage::kMaxSide, width, height, browser, why))
            << file.path() << ": " << why;
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
    // Each refusal says why, as the desktop's decoder does.
    const auto refused = [&](const std::string& path, int maxSide) {
        std::string why;
        return !StbPngDecoder::decode(path, maxSide, width, height, pixels, why) && !why.empty();
    };
    EXPECT_TRUE(refused(truncated.string(), PngImage::kMaxSide));
    EXPECT_TRUE(refused((dir / "missing.png").string(), PngImage::kMaxSide));
    // title.png is 512 wide: refused by a smaller limit before decoding.
    EXPECT_TRUE(refused(std::string(TESSARO_DATA_DIR) + "/title.png", 511));
    EXPECT_EQ(width, 0);
    fs::remove_all(dir);
}
