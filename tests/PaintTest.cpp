#include "TestSupport.h"
#include "paint/PictureComparison.h"
#include "paint/PortablePixmap.h"
#include "platform/record/FrameFile.h"

#include <cstring>
#include <fstream>

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
        source.drawFan(fan(1.5f, 0x11223344u));
        source.setTexture(striped.get());
        source.setSamplerState(SamplerState::MagFilter, static_cast<std::uint32_t>(Filter::Linear));
        source.setRenderState(RenderState::AlphaBlendEnable, 1);
        source.drawFan(fan(-20.25f, 0xFFFFFFFFu));
        source.setTexture(single.get());
        source.setStageState(StageState::ColorOp, static_cast<std::uint32_t>(StageOp::Add));
        source.drawFan(fan(600.75f, 0x80FF0000u));
        source.present();
    }

    static SpriteVertex vertex(float x, float y, std::uint32_t diffuse, float u, float v)
    {
        return SpriteVertex{x, y, 0.0f, 1.0f, diffuse, u, v};
    }
    static SpriteVertex (&fan(float x, std::uint32_t diffuse))[4]
    {
        static SpriteVertex corners[4];
        corners[0] = vertex(x, 10.125f, diffuse, 0.0f, 0.0f);
        corners[1] = vertex(x + 32, 10.125f, diffuse, 1.0f, 0.0f);
        corners[2] = vertex(x + 32, 42.5f, diffuse, 1.0f, 0.5f);
        corners[3] = vertex(x, 42.5f, diffuse, 0.0f, 0.5f);
        return corners;
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
    // A texture said to be wider than any the game makes is not believed.
    std::string wide = whole;
    wide[8 + 4 + 8] = '\xFF';
    wide[8 + 4 + 8 + 1] = '\xFF';
    writeBytes("wide.frame", wide);
    EXPECT_FALSE(frame.load("wide.frame", target, error));
    EXPECT_FALSE(frame.load("none.frame", target, error));
    EXPECT_NE(error.find("none.frame"), std::string::npos) << error;
    EXPECT_FALSE(FrameFile::save("no-such-folder/a.frame", source, source.presented(), error));
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
    EXPECT_FALSE(read.load("none.ppm"));
}

namespace {

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

}  // namespace

TEST(PictureComparisonTest, EdgesAPixelApartMatchButSoftenedOrMovedPicturesDoNot)
{
    const auto original = square(4, 2);
    EXPECT_EQ(PictureComparison(original, original, kWidth, kHeight).unmatched(), 0);
    // Within the channel tolerance, or one pixel across or down: the same picture.
    EXPECT_EQ(PictureComparison(original, square(4, 2, 0xFFF8F8F8u), kWidth, kHeight).unmatched(), 0);
    EXPECT_EQ(PictureComparison(original, square(5, 2), kWidth, kHeight).unmatched(), 0);
    EXPECT_EQ(PictureComparison(original, square(4, 3), kWidth, kHeight).largestDifference(), 255);
    EXPECT_EQ(PictureComparison(original, square(4, 3), kWidth, kHeight).unmatched(), 0);
    // Half a texel off with linear filtering: grey edges neither picture has.
    const PictureComparison softened(original, square(4, 2, 0xFF808080u), kWidth, kHeight);
    EXPECT_EQ(softened.unmatched(), 8);
    // Two pixels away is a different picture.
    EXPECT_GT(PictureComparison(original, square(6, 2), kWidth, kHeight).unmatched(), 0);
    EXPECT_FALSE(PictureComparison(original, std::vector<std::uint32_t>(3), kWidth, kHeight).same());
}

TEST(PictureComparisonTest, AFewUnmatchedPixelsInAThousandAreAllowed)
{
    constexpr int kSide = 100;
    std::vector<std::uint32_t> a(kSide * kSide, 0xFF000000u);
    std::vector<std::uint32_t> b = a;
    const PictureComparison none(a, b, kSide, kSide);
    EXPECT_EQ(none.mostUnmatched(), kSide * kSide * PictureComparison::kMostUnmatchedPerMille / 1000);
    // Isolated grey dots, each matching nothing near it.
    for (long dot = 0; dot <= none.mostUnmatched(); ++dot)
        b[static_cast<std::size_t>(dot) * 37] = 0xFF808080u;
    b[0] = 0xFF000000u;
    EXPECT_TRUE(PictureComparison(a, b, kSide, kSide).same());
    b[0] = 0xFF808080u;
    EXPECT_FALSE(PictureComparison(a, b, kSide, kSide).same());
}
