#include "TestSupport.h"
#include "platform/Letterbox.h"
#include "render/BitmapFont.h"
#include "platform/libpng/PngWriter.h"
#include "render/PngImage.h"
#include "render/SolidRect.h"
#include "render/Sprite.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

class RenderTest : public SimTest {
protected:
    RenderTest() { sprite.attach(system.device(), system.device()->createTexture(2, 2, pixels)); }

    const std::uint32_t pixels[4] = {0xFFFFFFFFu, 0xFF000000u, 0xFF00FF00u, 0x00000000u};
    Sprite sprite;
};

void expectCorner(const SpriteVertex& v, float x, float y)
{
    EXPECT_NEAR(v.x, x, 1e-3);
    EXPECT_NEAR(v.y, y, 1e-3);
}

}  // namespace

TEST_F(RenderTest, SpriteMapsSourcePixelsThroughTheDeclaredSize)
{
    sprite.setTextureSize(64, 64);
    sprite.drawWhole(10, 20, 0, 64, 64);
    sprite.setTextureSize(512, 512);
    sprite.draw(0, 0, 0, 32, 32, 32, 64, 32, 32);
    const auto fans = drawn();
    ASSERT_EQ(fans.size(), 2u);
    expectCorner(fans[0].vertices[0], 10, 20);
    expectCorner(fans[0].vertices[2], 74, 84);
    EXPECT_FLOAT_EQ(fans[0].vertices[2].u, 1.0f);
    EXPECT_FLOAT_EQ(fans[0].vertices[2].v, 1.0f);
    EXPECT_FLOAT_EQ(fans[1].vertices[0].u, 0.0625f);
    EXPECT_FLOAT_EQ(fans[1].vertices[0].v, 0.125f);
    EXPECT_FLOAT_EQ(fans[1].vertices[2].u, 0.125f);
    EXPECT_FLOAT_EQ(fans[1].vertices[2].v, 0.1875f);
    EXPECT_EQ(fans[0].vertices[0].rhw, 1.0f);
}

TEST_F(RenderTest, SpriteStateScalesTintsAndTurnsTheQuad)
{
    sprite.setTextureSize(64, 64);
    sprite.setScale(0.5f);
    sprite.setColor(1, 2, 3);
    sprite.setAlpha(4);
    sprite.drawWhole(100, 100, 0, 64, 64);
    sprite.resetState();
    sprite.setRotation(359.9f);
    EXPECT_EQ(sprite.rotation(), 359);
    sprite.setRotation(-0.5f);
    EXPECT_EQ(sprite.rotation(), 0);
    sprite.setRotation(90);
    sprite.drawWhole(0, 0, 0, 100, 50);
    sprite.setRotation(360);
    sprite.drawWhole(0, 0, 0, 100, 50);
    const auto fans = drawn();
    expectCorner(fans[0].vertices[0], 116, 116);
    expectCorner(fans[0].vertices[2], 148, 148);
    EXPECT_EQ(fans[0].vertices[0].diffuse, 0x04010203u);
    // Turned a quarter clockwise, the top-left corner goes to the top right.
    expectCorner(fans[1].vertices[0], 75, -25);
    expectCorner(fans[1].vertices[2], 25, 75);
    expectCorner(fans[2].vertices[0], 0, 0);
    expectCorner(fans[2].vertices[2], 100, 50);
}

TEST_F(RenderTest, SpriteDrawsWithoutDepthWritesAndLeavesNoTextureBound)
{
    sprite.setTextureSize(2, 2);
    sprite.drawWhole(0, 0, 0, 2, 2);
    SolidRect rect;
    rect.initialize(system.device());
    rect.draw(0, 0, 0, 640, 480);
    const auto fans = drawn();
    EXPECT_EQ(fans[0].state.texture, sprite.texture());
    EXPECT_FALSE(fans[0].state.zWrite);
    EXPECT_EQ(fans[1].state.texture, nullptr);
    EXPECT_FALSE(fans[1].state.zWrite);
    EXPECT_EQ(device().state().texture, nullptr);
    EXPECT_TRUE(device().state().zWrite);
}

TEST_F(RenderTest, SolidRectUsesTheLowBitsOfItsColourAndTurns)
{
    SolidRect rect;
    rect.initialize(system.device());
    rect.setColor(256, 0, 0);
    rect.setAlpha(128);
    rect.draw(0, 0, 0, 640, 480);
    rect.setColor(255, 255, 128);
    rect.setRotation(90);
    rect.draw(0, 0, 0, 100, 50);
    const auto fans = drawn();
    EXPECT_EQ(fans[0].vertices[0].diffuse, 0x80000000u);
    EXPECT_EQ(fans[1].vertices[0].diffuse, 0x80FFFF80u);
    float left = 1e9f, right = -1e9f, top = 1e9f, bottom = -1e9f;
    for (const SpriteVertex& v : fans[1].vertices) {
        left = std::min(left, v.x), right = std::max(right, v.x);
        top = std::min(top, v.y), bottom = std::max(bottom, v.y);
    }
    EXPECT_NEAR(left, 25, 1e-3);
    EXPECT_NEAR(right, 75, 1e-3);
    EXPECT_NEAR(top, -25, 1e-3);
    EXPECT_NEAR(bottom, 75, 1e-3);
}

TEST_F(RenderTest, FontPlacesGlyphsByCellAndAdvance)
{
    BitmapFont font;
    font.initialize(&system, window);
    font.setSpacing(24);
    font.drawString(250, 10, "START", 2);
    auto fans = drawn();
    ASSERT_EQ(fans.size(), 5u);
    for (int i = 0; i < 5; ++i)
        EXPECT_FLOAT_EQ(fans[i].vertices[0].x, 250.0f + 24 * i);
    // A lower-case letter and spaces draw nothing but keep their advance.
    font.drawString(0, 0, "aB  C", 0);
    fans = drawn();
    ASSERT_EQ(fans.size(), 2u);
    EXPECT_FLOAT_EQ(fans[0].vertices[0].x, 24);
    EXPECT_FLOAT_EQ(fans[1].vertices[0].x, 96);
    font.drawString(0, 0, "", 0);
    EXPECT_TRUE(drawn().empty());
}

TEST_F(RenderTest, FontCellsOfTheThreeStyles)
{
    BitmapFont font;
    font.initialize(&system, window);
    font.drawString(0, 0, "Q", 1);
    font.drawString(0, 0, "7", 2);
    font.drawString(0, 0, "<", 0);
    const auto fans = drawn();
    const auto source = [](const RecordingDevice::Command& c) {
        return std::make_pair(c.vertices[0].u * 512, c.vertices[0].v * 512);
    };
    EXPECT_EQ(source(fans[0]), std::make_pair(0.0f, 160.0f));
    EXPECT_EQ(source(fans[1]), std::make_pair(224.0f, 192.0f));
    EXPECT_EQ(source(fans[2]), std::make_pair(320.0f, 64.0f));
    EXPECT_FLOAT_EQ(fans[0].vertices[2].x - fans[0].vertices[0].x, 32);
}

TEST_F(RenderTest, FontTintShowsInStyleTwoOnly)
{
    BitmapFont font;
    font.initialize(&system, window);
    font.setColor(255, 32, 32);
    font.setAlpha(128);
    font.drawString(0, 0, "A", 2);
    font.drawString(0, 0, "A", 0);
    font.drawString(0, 0, "A", 1);
    const auto fans = drawn();
    EXPECT_EQ(fans[0].vertices[0].diffuse, 0x80FF2020u);
    EXPECT_EQ(fans[1].vertices[0].diffuse, 0x80FFFFFFu);
    EXPECT_EQ(fans[2].vertices[0].diffuse, 0x80FFFFFFu);
    EXPECT_TRUE(fans[0].state.alphaBlend);
}

namespace {

void appendChunk(std::string& png, const char* type, const std::string& data)
{
    const auto be32 = [&png](std::uint32_t v) {
        for (int s = 24; s >= 0; s -= 8)
            png.push_back(static_cast<char>((v >> s) & 255));
    };
    be32(static_cast<std::uint32_t>(data.size()));
    const std::string body = std::string(type) + data;
    png += body;
    be32(static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}

// A PNG whose header claims the given size, with no image data after it.
std::string headerOnly(std::uint32_t width, std::uint32_t height)
{
    std::string png = "\x89PNG\r\n\x1a\n";
    std::string ihdr;
    for (std::uint32_t v : {width, height})
        for (int s = 24; s >= 0; s -= 8)
            ihdr.push_back(static_cast<char>((v >> s) & 255));
    ihdr += std::string("\x08\x06\x00\x00\x00", 5);
    appendChunk(png, "IHDR", ihdr);
    return png;
}

}  // namespace

TEST_F(RenderTest, BrokenImagesAreFailedLoadsThatAreToldOnceAndStillDraw)
{
    TemporaryFolder folder(false);
    const std::vector<std::uint32_t> image(16 * 8, 0xFF336699u);
    ASSERT_TRUE(PngWriter::write("good.png", 16, 8, image));
    const std::string good = folder.read("good.png");
    folder.write("truncated.png", good.substr(0, good.size() / 2));
    folder.write("garbage.png", std::string(300, '\x5a'));
    folder.write("huge.png", headerOnly(5000, 5000));
    folder.write("empty.png", "");

    Sprite s;
    EXPECT_EQ(s.load(system.device(), "good.png"), 0);
    EXPECT_EQ(s.texture()->width(), 16);
    EXPECT_EQ(s.texture()->height(), 8);
    const char* const broken[] = {"missing.png", "truncated.png", "garbage.png", "huge.png", "empty.png"};
    testing::internal::CaptureStderr();
    for (int pass = 0; pass < 2; ++pass)
        for (const char* bad : broken) {
            EXPECT_NE(s.load(system.device(), bad), 0) << bad;
            EXPECT_EQ(s.texture(), nullptr) << bad;
        }
    // One line an image, however often it is loaded, with the file and a reason.
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 5) << told;
    for (const char* bad : broken) {
        const std::size_t at = told.find(std::string(bad) + ": ");
        ASSERT_NE(at, std::string::npos) << told;
        EXPECT_NE(told[at + std::strlen(bad) + 2], ';') << "no reason given for " << bad << ": " << told;
    }
    s.setTextureSize(16, 8);
    s.setColor(10, 20, 30);
    s.drawWhole(0, 0, 0, 16, 8);
    const auto fans = drawn();
    ASSERT_EQ(fans.size(), 1u);
    EXPECT_EQ(fans[0].state.texture, nullptr);
    EXPECT_EQ(fans[0].vertices[0].diffuse, 0xFF0A141Eu);
}

TEST_F(RenderTest, ColourKeyTurnsMatchingTexelsTransparentBlack)
{
    TemporaryFolder folder(false);
    ASSERT_TRUE(PngWriter::write("keyed.png", 2, 1, {0xFFFF00FFu, 0xFF123456u}));
    Sprite s;
    ASSERT_EQ(s.loadWithColorKey(system.device(), "keyed.png", 0xFFFF00FFu), 0);
    const auto texture = device().texture(s.texture()->id());
    ASSERT_TRUE(texture);
    EXPECT_EQ(texture->pixels(), (std::vector<std::uint32_t>{0x00000000u, 0xFF123456u}));
}

TEST(LetterboxTest, FitsThePictureAndMapsThePointerBothWays)
{
    const platform::Letterbox wide = platform::Letterbox::fit(1920, 1080);
    EXPECT_EQ(wide.x, 240);
    EXPECT_EQ(wide.y, 0);
    EXPECT_EQ(wide.width, 1440);
    EXPECT_EQ(wide.height, 1080);
    EXPECT_EQ(wide.toClient({240, 0}), (platform::Point{0, 0}));
    EXPECT_EQ(wide.toClient({100, 540}).x < 0, true);
    for (platform::Point p : {platform::Point{0, 0}, {639, 479}, {640, 480}, {321, 17}})
        EXPECT_EQ(wide.toClient(wide.toOutput(p)), p);
    const platform::Letterbox same = platform::Letterbox::fit(640, 480);
    EXPECT_EQ(same.toClient({700, -20}), (platform::Point{700, -20}));
}
