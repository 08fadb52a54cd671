#include "TestSupport.h"
#include "paint/PortablePixmap.h"
#include "platform/record/FrameFile.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 8;

std::string fileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A frame with a clear, a fan without a texture and two textured fans in other states.
class FrameFileTest : public ::testing::Test {
protected:
    FrameFileTest()
    {
        const std::vector<std::uint32_t> stripes{0xFF000000u, 0x80FFFFFFu, 0x00123456u, 0xFFABCDEFu, 1u, 2u};
        const std::vector<std::uint32_t> dot{0xFF00FF00u};
        striped = source.createTexture(3, 2, stripes.data());
        single = source.createTexture(1, 1, dot.data());
        source.beginScene();
        source.clear(0xFF204060u);
        drawFan(1.5f, 0x11223344u);
        source.setTexture(striped.get());
        source.setSamplerState(SamplerState::MagFilter, static_cast<std::uint32_t>(Filter::Linear));
        source.setRenderState(RenderState::AlphaBlendEnable, 1);
        drawFan(-20.25f, 0xFFFFFFFFu);
        source.setTexture(single.get());
        source.setStageState(StageState::ColorOp, static_cast<std::uint32_t>(StageOp::Add));
        drawFan(600.75f, 0x80FF0000u);
        source.present();
    }

    void drawFan(float x, std::uint32_t diffuse)
    {
        const SpriteVertex corners[4] = {{x, 10.125f, 0.0f, 1.0f, diffuse, 0.0f, 0.0f},
                                         {x + 32, 10.125f, 0.0f, 1.0f, diffuse, 1.0f, 0.0f},
                                         {x + 32, 42.5f, 0.0f, 1.0f, diffuse, 1.0f, 0.5f},
                                         {x, 42.5f, 0.0f, 1.0f, diffuse, 0.0f, 0.5f}};
        source.drawFan(corners);
    }

    TemporaryFolder folder{false};
    RecordingDevice source;
    std::shared_ptr<Texture> striped;
    std::shared_ptr<Texture> single;
};

}  // namespace

TEST_F(FrameFileTest, AFrameReadsBackWithItsStatesFansAndTexturePixels)
{
    std::string error;
    ASSERT_TRUE(FrameFile::save("a.frame", source, source.presented(), error)) << error;
    RecordingDevice target;
    FrameFile frame;
    ASSERT_TRUE(frame.load("a.frame", target, error)) << error;
    const auto& original = source.presented();
    const auto& loaded = frame.commands();
    ASSERT_EQ(loaded.size(), original.size());
    for (std::size_t i = 0; i < loaded.size(); ++i) {
        EXPECT_EQ(loaded[i].isClear, original[i].isClear) << i;
        EXPECT_EQ(loaded[i].clearColor, original[i].clearColor) << i;
        DeviceState expected = original[i].state;
        expected.texture = nullptr;
        EXPECT_EQ(loaded[i].state, expected) << i;
        EXPECT_EQ(std::memcmp(loaded[i].vertices, original[i].vertices, sizeof loaded[i].vertices), 0) << i;
        // The texture is the target's own, with the source's pixels.
        const auto before = source.texture(original[i].textureId);
        const auto after = target.texture(loaded[i].textureId);
        ASSERT_EQ(before == nullptr, after == nullptr) << i;
        if (before != nullptr) {
            EXPECT_EQ(after->pixels(), before->pixels()) << i;
            EXPECT_EQ(after->width(), before->width()) << i;
        }
    }
}

TEST_F(FrameFileTest, CutDamagedOrMissingFilesAreRefused)
{
    std::string error;
    ASSERT_TRUE(FrameFile::save("a.frame", source, source.presented(), error)) << error;
    const std::string whole = fileBytes("a.frame");
    RecordingDevice target;
    FrameFile frame;
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        writeBytes("cut.frame", whole.substr(0, cut));
        EXPECT_FALSE(frame.load("cut.frame", target, error)) << cut;
        EXPECT_TRUE(frame.commands().empty()) << cut;
    }
    writeBytes("long.frame", whole + "x");
    EXPECT_FALSE(frame.load("long.frame", target, error));
    EXPECT_FALSE(frame.load("none.frame", target, error));
    EXPECT_NE(error.find("none.frame"), std::string::npos) << error;
    EXPECT_FALSE(FrameFile::save("no-such-folder/a.frame", source, source.presented(), error));
}

TEST_F(FrameFileTest, TexturesBeyondTheBoundsOrGoneAreLeftOut)
{
    // Wider than any texture of the game, with every pixel there: not written, and
    // not read when written by other means.
    const std::vector<std::uint32_t> row(4097, 0xFFFFFFFFu);
    auto wide = source.createTexture(4097, 1, row.data());
    source.beginScene();
    source.setTexture(wide.get());
    drawFan(0, 0xFFFFFFFFu);
    std::string error;
    EXPECT_FALSE(FrameFile::save("wide.frame", source, source.frame(), error));
    std::string bytes("TSFRAME1\x01\0\0\0" "\x05\0\0\0\0\0\0\0" "\x01\x10\0\0\x01\0\0\0", 28);
    bytes += std::string(4097 * 4, '\xFF') + std::string(4, '\0');
    writeBytes("wide.frame", bytes);
    RecordingDevice target;
    FrameFile frame;
    EXPECT_FALSE(frame.load("wide.frame", target, error));
    // Narrower, with pixels left over: refused too, as what is left is no frame.
    bytes[8 + 4 + 8 + 1] = '\x0F';
    writeBytes("wide.frame", bytes);
    EXPECT_FALSE(frame.load("wide.frame", target, error));

    // A fan whose texture was gone when the frame was written is painted without one.
    source.beginScene();
    source.setTexture(wide.get());
    drawFan(0, 0xFFFFFFFFu);
    source.present();
    wide.reset();
    ASSERT_TRUE(FrameFile::save("gone.frame", source, source.presented(), error)) << error;
    ASSERT_TRUE(frame.load("gone.frame", target, error)) << error;
    ASSERT_EQ(frame.commands().size(), 1u);
    EXPECT_EQ(frame.commands()[0].textureId, 0u);
}

TEST(PortablePixmapTest, PicturesReadBackAndDamagedOnesAreRefused)
{
    TemporaryFolder folder(false);
    std::vector<std::uint32_t> picture(kWidth * kHeight);
    for (std::size_t i = 0; i < picture.size(); ++i)
        picture[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 0x010203u);
    ASSERT_TRUE(PortablePixmap::save("a.ppm", kWidth, kHeight, picture));
    PortablePixmap read;
    ASSERT_TRUE(read.load("a.ppm"));
    EXPECT_EQ(read.width(), kWidth);
    EXPECT_EQ(read.height(), kHeight);
    EXPECT_EQ(read.pixels(), picture);

    EXPECT_FALSE(PortablePixmap::save("b.ppm", kWidth, kHeight + 1, picture));
    const std::string whole = fileBytes("a.ppm");
    writeBytes("cut.ppm", whole.substr(0, whole.size() - 1));
    EXPECT_FALSE(read.load("cut.ppm"));
    writeBytes("deep.ppm", "P6\n16 8\n65535\n" + std::string(16 * 8 * 6, '\0'));
    EXPECT_FALSE(read.load("deep.ppm"));
    writeBytes("huge.ppm", "P6\n100000 100000\n255\n");
    EXPECT_FALSE(read.load("huge.ppm"));
    // A header for more pixels than the file holds is refused before anything is made.
    writeBytes("short.ppm", "P6\n8000 8000\n255\n" + std::string(16, '\0'));
    EXPECT_FALSE(read.load("short.ppm"));
    writeBytes("long.ppm", whole + "x");
    EXPECT_FALSE(read.load("long.ppm"));
    EXPECT_FALSE(read.load("none.ppm"));
}
