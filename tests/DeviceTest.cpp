#include "TestSupport.h"
#include "platform/sdl/OffscreenGl.h"
#include "render/Sprite.h"

#include <random>

namespace {

using DeviceSystemTest = SimTest;

struct Factors {
    Blend source;
    Blend destination;
};

}  // namespace

TEST_F(DeviceSystemTest, BlendModesSetTheirFactors)
{
    const std::pair<BlendSetup, Factors> modes[] = {
        {BlendSetup::Alpha, {Blend::SrcAlpha, Blend::InvSrcAlpha}},
        {BlendSetup::Additive, {Blend::One, Blend::One}},
        {BlendSetup::Multiply, {Blend::Zero, Blend::SrcColor}},
        {BlendSetup::Premultiplied, {Blend::One, Blend::InvSrcAlpha}},
        {BlendSetup::Inverting, {Blend::InvDestColor, Blend::InvSrcAlpha}},
    };
    for (const auto& [mode, factors] : modes) {
        system.setBlendMode(mode);
        EXPECT_EQ(device().state().srcBlend, factors.source) << static_cast<int>(mode);
        EXPECT_EQ(device().state().destBlend, factors.destination) << static_cast<int>(mode);
        EXPECT_TRUE(device().state().alphaBlend) << static_cast<int>(mode);
    }
}

TEST_F(DeviceSystemTest, OpaqueAndAddModesKeepTheFactorsBefore)
{
    system.setBlendMode(BlendSetup::Additive);
    system.setBlendMode(BlendSetup::Opaque);
    EXPECT_FALSE(device().state().alphaBlend);
    EXPECT_EQ(device().state().srcBlend, Blend::One);
    system.setBlendMode(BlendSetup::AddedTexel);
    EXPECT_TRUE(device().state().alphaBlend);
    EXPECT_EQ(device().state().destBlend, Blend::One);
    EXPECT_EQ(device().state().colorOp, StageOp::Add);
    // The added stage stays until the default stages are set again.
    system.setBlendMode(BlendSetup::Alpha);
    EXPECT_EQ(device().state().alphaOp, StageOp::Add);
    system.setDefaultTextureStages();
    EXPECT_EQ(device().state().colorOp, StageOp::Modulate);
    EXPECT_EQ(device().state().alphaOp, StageOp::Modulate);
    EXPECT_EQ(device().state().colorArg1, StageArg::Texture);
    EXPECT_EQ(device().state().colorArg2, StageArg::Diffuse);
}

TEST_F(DeviceSystemTest, StartsWithLinearFilteringAndFailsWithoutADevice)
{
    EXPECT_EQ(device().state().minFilter, Filter::Linear);
    EXPECT_EQ(device().state().magFilter, Filter::Linear);
    sim.withholdDevice(true);
    DeviceSystem none;
    EXPECT_EQ(none.initialize(sim, window), 1);
    EXPECT_EQ(none.device(), nullptr);
}

namespace {

// The OpenGL device on SDL's off-screen driver.
class GlDeviceTest : public ::testing::Test {
protected:
    std::shared_ptr<Texture> solid(std::uint32_t argb)
    {
        const std::vector<std::uint32_t> pixels(4, argb);
        return device->createTexture(2, 2, pixels.data());
    }

    std::uint32_t pixel(int x, int y) { return device->readPicture()[static_cast<std::size_t>(y) * 640 + x]; }

    void alphaBlending()
    {
        device->setRenderState(RenderState::SrcBlend, static_cast<std::uint32_t>(Blend::SrcAlpha));
        device->setRenderState(RenderState::DestBlend, static_cast<std::uint32_t>(Blend::InvSrcAlpha));
        device->setRenderState(RenderState::AlphaBlendEnable, 1);
        device->setStageState(StageState::AlphaOp, static_cast<std::uint32_t>(StageOp::Modulate));
    }

    OffscreenGl gl;
    GlDevice* device = gl.device();
};

// A white square on black covers the pixels first to last, across and down, and no
// more: checked on each side of each edge, through the middle.
template <typename PixelAt>
void expectWhiteSquare(PixelAt at, int first, int last)
{
    const int middle = (first + last) / 2;
    for (const auto& [inside, outside] : {std::pair{first, first - 1}, std::pair{last, last + 1}}) {
        EXPECT_EQ(at(inside, middle), 0xFFFFFFFFu) << inside;
        EXPECT_EQ(at(outside, middle), 0xFF000000u) << outside;
        EXPECT_EQ(at(middle, inside), 0xFFFFFFFFu) << inside;
        EXPECT_EQ(at(middle, outside), 0xFF000000u) << outside;
    }
}

}  // namespace

TEST_F(GlDeviceTest, BatchesEqualStateAndKeepsPaintingOrder)
{
    ASSERT_NE(device, nullptr) << gl.error();
    alphaBlending();
    Sprite red, blue;
    red.attach(device, solid(0xFFFF0000u));
    blue.attach(device, solid(0xFF0000FFu));
    red.setTextureSize(2, 2);
    blue.setTextureSize(2, 2);

    device->beginScene();
    device->clear(0xFF10C010);
    for (int i = 0; i < 100; ++i)
        red.drawWhole(static_cast<float>(i), 0, 0, 10, 10);
    device->present();
    EXPECT_EQ(device->drawCalls(), 1);

    // Red, blue, red over the same place: three calls, and the last one shows.
    device->beginScene();
    device->clear(0xFF10C010);
    red.drawWhole(0, 0, 0, 20, 20);
    blue.drawWhole(0, 0, 0, 20, 20);
    red.drawWhole(10, 10, 0, 20, 20);
    EXPECT_EQ(pixel(5, 5), 0xFF0000FFu);
    EXPECT_EQ(pixel(15, 15), 0xFFFF0000u);
    EXPECT_EQ(pixel(100, 100), 0xFF10C010u);
    device->present();
    EXPECT_EQ(device->drawCalls(), 3);
}

TEST_F(GlDeviceTest, ModulatesAddsAndFiltersAsTheStateSays)
{
    ASSERT_NE(device, nullptr) << gl.error();
    alphaBlending();
    Sprite grey;
    grey.attach(device, solid(0xFF808080u));
    grey.setTextureSize(2, 2);
    device->beginScene();
    device->clear(0xFF000000);
    grey.setColor(255, 0, 0);
    grey.drawWhole(0, 0, 0, 10, 10);
    device->setStageState(StageState::ColorOp, static_cast<std::uint32_t>(StageOp::Add));
    grey.setColor(0, 0, 64);
    grey.drawWhole(20, 0, 0, 10, 10);
    EXPECT_EQ(pixel(5, 5), 0xFF800000u);
    EXPECT_EQ(pixel(25, 5), 0xFF8080C0u);
    // A texture survives a reset.
    device->reset();
    device->setStageState(StageState::ColorOp, static_cast<std::uint32_t>(StageOp::Modulate));
    grey.setColor(255, 255, 255);
    grey.drawWhole(40, 0, 0, 10, 10);
    EXPECT_EQ(pixel(45, 5), 0xFF808080u);
}

// The device leaves out a fan, or its blending, only where the picture cannot show
// the difference: each case here would show it.
TEST_F(GlDeviceTest, SkipsFansAndBlendingOnlyWhereNoPixelChanges)
{
    ASSERT_NE(device, nullptr) << gl.error();
    alphaBlending();
    Sprite white;
    white.attach(device, solid(0xFFFFFFFFu));
    white.setTextureSize(2, 2);
    const std::uint32_t halfTransparent[] = {0xFFFFFFFFu, 0x00FFFFFFu, 0xFFFFFFFFu, 0x00FFFFFFu};
    Sprite striped;
    striped.attach(device, device->createTexture(2, 2, halfTransparent));
    striped.setTextureSize(2, 2);
    device->beginScene();
    device->clear(0xFF204060);

    white.setAlpha(0);
    white.drawWhole(0, 0, 0, 10, 10);  // blended by its alpha: nothing to see
    device->setStageState(StageState::AlphaOp, static_cast<std::uint32_t>(StageOp::Add));
    white.drawWhole(20, 0, 0, 10, 10);  // its alpha is the texel's, full
    device->setStageState(StageState::AlphaOp, static_cast<std::uint32_t>(StageOp::Modulate));
    device->setRenderState(RenderState::SrcBlend, static_cast<std::uint32_t>(Blend::One));
    device->setRenderState(RenderState::DestBlend, static_cast<std::uint32_t>(Blend::One));
    white.drawWhole(40, 0, 0, 10, 10);  // added whatever its alpha
    alphaBlending();
    white.setAlpha(128);
    white.drawWhole(60, 0, 0, 10, 10);  // an opaque texture under half alpha
    white.setAlpha(255);
    striped.drawWhole(80, 0, 0, 2, 2);  // full alpha over texels of none
    device->setStageState(StageState::AlphaOp, static_cast<std::uint32_t>(StageOp::SelectArg1));
    striped.drawWhole(90, 0, 0, 2, 2);  // the texels' alpha alone
    device->setStageState(StageState::AlphaOp, static_cast<std::uint32_t>(StageOp::Modulate));
    device->setRenderState(RenderState::SrcBlend, static_cast<std::uint32_t>(Blend::One));
    white.drawWhole(100, 0, 0, 10, 10);  // opaque, premultiplied: the texel

    const std::vector<std::uint32_t> picture = device->readPicture();
    const auto at = [&](int x, int y) { return picture[static_cast<std::size_t>(y) * 640 + x]; };
    EXPECT_EQ(at(5, 5), 0xFF204060u);
    EXPECT_EQ(at(25, 5), 0xFFFFFFFFu);
    EXPECT_EQ(at(45, 5), 0xFFFFFFFFu);
    EXPECT_EQ(at(65, 5), 0xFF90A0B0u);
    EXPECT_EQ(at(80, 0), 0xFFFFFFFFu);
    EXPECT_EQ(at(81, 0), 0xFF204060u);
    EXPECT_EQ(at(91, 0), 0xFF204060u);
    EXPECT_EQ(at(105, 5), 0xFFFFFFFFu);
    device->present();
}

// A batch blended by its texture's alpha is drawn only around its visible texels;
// what filtering carries from them, across a wrapped edge or past a clamped one,
// still lands. One visible texel in eight by eight, each drawn eight pixels wide.
TEST_F(GlDeviceTest, DrawsAroundVisibleTexelsWithWhatFilteringAndAddressingCarry)
{
    ASSERT_NE(device, nullptr) << gl.error();
    const auto lone = [&](int column) {
        std::vector<std::uint32_t> texels(64, 0x00000000u);
        texels[4 * 8 + column] = 0xFFFFFFFFu;
        Sprite sprite;
        sprite.attach(device, device->createTexture(8, 8, texels.data()));
        sprite.setTextureSize(8, 8);
        return sprite;
    };
    const auto sampling = [&](Filter filter, Address address) {
        for (SamplerState f : {SamplerState::MinFilter, SamplerState::MagFilter})
            device->setSamplerState(f, static_cast<std::uint32_t>(filter));
        for (SamplerState a : {SamplerState::AddressU, SamplerState::AddressV})
            device->setSamplerState(a, static_cast<std::uint32_t>(address));
    };
    Sprite middle = lone(4);
    Sprite first = lone(0);
    Sprite last = lone(7);
    Sprite blockEnd = lone(3);
    const std::uint32_t background = 0xFF000000u;
    device->beginScene();
    device->clear(background);
    alphaBlending();

    // Filtered, the texel of pixels 32 to 39 tints pixels 29 to 43; the one of
    // pixels 24 to 31, at the end of its block of four, tints pixels 21 to 35.
    sampling(Filter::Linear, Address::Clamp);
    middle.drawWhole(0, 0, 0, 64, 64);
    blockEnd.drawWhole(500, 0, 0, 64, 64);
    // Wrapped, the first column's texel reaches the last pixels too, and the last
    // column's the first.
    sampling(Filter::Linear, Address::Wrap);
    first.drawWhole(100, 0, 0, 64, 64);
    last.drawWhole(400, 0, 0, 64, 64);
    // Clamped, the last column's texel goes on past the texture's edge.
    sampling(Filter::Point, Address::Clamp);
    last.draw(200, 0, 0, 96, 64, 0, 0, 12, 8);

    const std::vector<std::uint32_t> picture = device->readPicture();
    const auto at = [&](int x, int y) { return picture[static_cast<std::size_t>(y) * 640 + x]; };
    EXPECT_NE(at(30, 36), background);
    EXPECT_NE(at(42, 36), background);
    EXPECT_EQ(at(25, 36), background);
    EXPECT_NE(at(534, 36), background);
    EXPECT_EQ(at(537, 36), background);
    EXPECT_NE(at(163, 36), background);
    EXPECT_NE(at(401, 36), background);
    EXPECT_EQ(at(290, 36), 0xFFFFFFFFu);
    EXPECT_EQ(at(290, 20), background);
    device->present();
}

// Where Direct3D 9 puts a pre-transformed quad's pixels and samples its texels:
// pixel centres on whole coordinates, texel centres half a texel in.
TEST_F(GlDeviceTest, CoversAndSamplesWhereDirect3D9Does)
{
    ASSERT_NE(device, nullptr) << gl.error();
    Sprite white;
    white.attach(device, solid(0xFFFFFFFFu));
    white.setTextureSize(2, 2);
    device->beginScene();
    device->clear(0xFF000000);
    const auto at = [&](int x, int y) { return pixel(x, y); };
    // Edges half way between centres: the centres 11 to 20 lie inside.
    white.drawWhole(10.5f, 10.5f, 0, 10, 10);
    expectWhiteSquare(at, 11, 20);
    // Edges on whole coordinates, on the centres themselves: the top and left
    // ones take their pixels, the bottom and right ones do not.
    white.drawWhole(30, 30, 0, 10, 10);
    expectWhiteSquare(at, 30, 39);

    // Two black columns, two white, drawn one texel to a pixel from x = 100: each
    // pixel's centre falls on the edge between two texels, so linear filtering
    // mixes them, and point filtering takes the one to the right.
    const std::uint32_t k = 0xFF000000u;
    const std::uint32_t w = 0xFFFFFFFFu;
    const std::vector<std::uint32_t> columns{k, k, w, w, k, k, w, w, k, k, w, w, k, k, w, w};
    Sprite stripes;
    stripes.attach(device, device->createTexture(4, 4, columns.data()));
    stripes.setTextureSize(4, 4);
    device->setSamplerState(SamplerState::MinFilter, static_cast<std::uint32_t>(Filter::Linear));
    device->setSamplerState(SamplerState::MagFilter, static_cast<std::uint32_t>(Filter::Linear));
    stripes.drawWhole(100, 100, 0, 4, 4);
    EXPECT_EQ(pixel(101, 101), k);
    EXPECT_NEAR(static_cast<int>(pixel(102, 101) & 0xFFu), 0x80, 1);
    EXPECT_EQ(pixel(103, 101), w);
    device->setSamplerState(SamplerState::MinFilter, static_cast<std::uint32_t>(Filter::Point));
    device->setSamplerState(SamplerState::MagFilter, static_cast<std::uint32_t>(Filter::Point));
    stripes.drawWhole(200, 100, 0, 4, 4);
    EXPECT_EQ(pixel(201, 101), k);
    EXPECT_EQ(pixel(202, 101), w);
    device->present();
}

// Scaled into a larger output, the rule holds in output pixels: a quad from 10 to 20
// at twice the size covers the output pixels 20 to 39, as Direct3D 9 draws it.
TEST(ScaledGlDeviceTest, CoversWholeOutputPixelsWhereDirect3D9Does)
{
    constexpr int kScale = 2;
    OffscreenGl gl(640 * kScale, 480 * kScale);
    GlDevice* device = gl.device();
    ASSERT_NE(device, nullptr) << gl.error();
    const std::vector<std::uint32_t> white(4, 0xFFFFFFFFu);
    Sprite square;
    square.attach(device, device->createTexture(2, 2, white.data()));
    square.setTextureSize(2, 2);
    device->beginScene();
    device->clear(0xFF000000);
    square.drawWhole(10, 10, 0, 10, 10);
    const std::vector<std::uint32_t> picture = device->readPicture();
    ASSERT_EQ(picture.size(), 640u * 480u * kScale * kScale);
    expectWhiteSquare([&](int x, int y) { return picture[static_cast<std::size_t>(y) * 640 * kScale + x]; }, 20, 39);
    device->present();
}

// In a letterbox of another shape the device still draws a sprite's visible texels
// whole: the rectangle it draws inside is scaled and placed as the picture is.
TEST(ScaledGlDeviceTest, DrawsVisibleTexelsWholeInALetterboxOfAnyShape)
{
    OffscreenGl gl(1000, 700);
    GlDevice* device = gl.device();
    ASSERT_NE(device, nullptr) << gl.error();
    std::vector<std::uint32_t> texels(64, 0x00000000u);
    texels[4 * 8 + 4] = 0xFFFFFFFFu;
    Sprite lone;
    lone.attach(device, device->createTexture(8, 8, texels.data()));
    lone.setTextureSize(8, 8);
    device->beginScene();
    device->clear(0xFF000000);
    device->setRenderState(RenderState::SrcBlend, static_cast<std::uint32_t>(Blend::SrcAlpha));
    device->setRenderState(RenderState::DestBlend, static_cast<std::uint32_t>(Blend::InvSrcAlpha));
    device->setRenderState(RenderState::AlphaBlendEnable, 1);
    // The texel covers the field's 352 to 360 across and 272 to 280 down.
    lone.drawWhole(320, 240, 0, 64, 64);
    const std::vector<std::uint32_t> picture = device->readPicture();
    const int width = static_cast<int>(picture.size()) / 700;
    const float scale = 700.0f / 480.0f;
    const auto at = [&](float x, float y) {
        return picture[static_cast<std::size_t>(y * scale) * width + static_cast<std::size_t>(x * scale)];
    };
    for (const auto& [x, y] : {std::pair{352.8f, 276.0f}, {359.2f, 276.0f}, {356.0f, 272.8f}, {356.0f, 279.2f}})
        EXPECT_EQ(at(x, y), 0xFFFFFFFFu) << x << "," << y;
    EXPECT_EQ(at(350.0f, 276.0f), 0xFF000000u);
    device->present();
}

namespace {

// Textures with fully transparent texels in the ways the game's have them: scattered,
// lone texels by block edges, one texel wide, a visible block off the block grid.
std::vector<std::vector<std::uint32_t>> partlyTransparent(std::mt19937& random,
                                                          const std::vector<std::pair<int, int>>& sizes)
{
    std::vector<std::vector<std::uint32_t>> textures;
    for (const auto& [width, height] : sizes) {
        std::vector<std::uint32_t> texels(static_cast<std::size_t>(width) * height);
        const int shape = static_cast<int>(textures.size()) % 3;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const bool visible = shape == 0   ? random() % 5 == 0
                                     : shape == 1 ? (x == width / 2 - 1 && y == height / 3)
                                                  : (x >= width / 3 && x < width / 3 + 5 && y >= 3 && y < 9);
                const std::uint32_t alpha = visible ? 1 + random() % 255 : 0;
                texels[static_cast<std::size_t>(y) * width + x] = alpha << 24 | (random() & 0xFFFFFFu);
            }
        textures.push_back(std::move(texels));
    }
    return textures;
}

// Sixty sprites in runs of three of one texture and sampling, scaled, mirrored, turned now and
// then, at fractions of a pixel, from source areas crossing the texture's edges, with
// a clear part way; every vertex's alpha zero, the texel's alpha taken as the stage says.
std::vector<std::uint32_t> drawnWith(GlDevice* device, StageOp alphaOp)
{
    std::mt19937 random(11);
    const std::vector<std::pair<int, int>> sizes{{13, 9}, {8, 8}, {64, 64}, {1, 5}, {40, 24}, {16, 16}};
    const std::vector<std::vector<std::uint32_t>> textures = partlyTransparent(random, sizes);
    std::vector<Sprite> sprites(textures.size());
    for (std::size_t i = 0; i < textures.size(); ++i) {
        sprites[i].attach(device, device->createTexture(sizes[i].first, sizes[i].second, textures[i].data()));
        sprites[i].setTextureSize(sizes[i].first, sizes[i].second);
    }
    const auto between = [&](float low, float high) {
        return low + (high - low) * static_cast<float>(random() % 10000) / 10000.0f;
    };
    device->beginScene();
    device->clear(0xFF336699);
    device->setRenderState(RenderState::SrcBlend, static_cast<std::uint32_t>(Blend::SrcAlpha));
    device->setRenderState(RenderState::DestBlend, static_cast<std::uint32_t>(Blend::InvSrcAlpha));
    device->setRenderState(RenderState::AlphaBlendEnable, 1);
    device->setStageState(StageState::AlphaOp, static_cast<std::uint32_t>(alphaOp));
    Sprite* sprite = &sprites[0];
    for (int i = 0; i < 60; ++i) {
        if (i % 3 == 0) {
            sprite = &sprites[random() % sprites.size()];
            const auto filter = random() % 2 == 0 ? Filter::Point : Filter::Linear;
            const auto address = random() % 2 == 0 ? Address::Wrap : Address::Clamp;
            for (SamplerState f : {SamplerState::MinFilter, SamplerState::MagFilter})
                device->setSamplerState(f, static_cast<std::uint32_t>(filter));
            for (SamplerState a : {SamplerState::AddressU, SamplerState::AddressV})
                device->setSamplerState(a, static_cast<std::uint32_t>(address));
        }
        if (i == 30)
            device->clear(0xFF996633);
        const auto* texture = sprite->texture();
        const auto tw = static_cast<float>(texture->width());
        const auto th = static_cast<float>(texture->height());
        sprite->setAlpha(0);
        sprite->setColor(static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random()), 255);
        sprite->setRotation(random() % 20 == 0 ? static_cast<float>(random() % 360) : 0);
        const float width = between(-120, 160);
        const float height = between(-90, 120);
        sprite->draw(between(-60, 660), between(-60, 500), 0, width, height, between(-tw / 2, tw / 2),
                     between(-th / 2, th / 2), between(0.5f, tw), between(0.5f, th));
    }
    std::vector<std::uint32_t> picture = device->readPicture();
    device->present();
    return picture;
}

}  // namespace

// Drawing only around visible texels leaves every pixel as drawing everywhere does:
// the texel's alpha selected (drawn around its visible texels) and the vertex's zero
// alpha added to it (the same alpha, drawn everywhere), in pictures of three shapes,
// compared to the bit.
TEST(ScaledGlDeviceTest, DrawingAroundVisibleTexelsChangesNoPixelOfDrawingEverywhere)
{
    for (const auto& [width, height] : {std::pair{640, 480}, {1000, 700}, {700, 1000}}) {
        OffscreenGl gl(width, height);
        GlDevice* device = gl.device();
        ASSERT_NE(device, nullptr) << gl.error();
        const std::vector<std::uint32_t> around = drawnWith(device, StageOp::SelectArg1);
        const std::vector<std::uint32_t> everywhere = drawnWith(device, StageOp::Add);
        ASSERT_EQ(around.size(), everywhere.size());
        std::size_t differing = 0;
        for (std::size_t i = 0; i < around.size(); ++i)
            differing += around[i] != everywhere[i] ? 1 : 0;
        EXPECT_EQ(differing, 0u) << width << " x " << height;
        EXPECT_NE(std::count(around.begin(), around.end(), 0xFF996633u), static_cast<std::ptrdiff_t>(around.size()))
            << "nothing was drawn after the clear";
    }
}
