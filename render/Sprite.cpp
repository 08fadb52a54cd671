#include "render/Sprite.h"

#include "platform/DataFiles.h"
#include "platform/Device.h"
#include "render/PngImage.h"
#include "render/QuadCorners.h"

#include <cstdio>
#include <mutex>
#include <set>
#include <string>

namespace {
// Sprites share images, and a player needs to hear of each broken one only once,
// however many rounds are loaded at once.
void reportUnreadable(const std::string& file, const std::string& why)
{
    static std::mutex guard;
    static std::set<std::string> reported;
    const std::lock_guard<std::mutex> hold(guard);
    if (reported.insert(file).second)
        std::fprintf(stderr, "tessaro: cannot read the image %s: %s; it is drawn as a plain box\n", file.c_str(),
                     why.c_str());
}
}  // namespace

int Sprite::loadFile(Device* device, const char* fileName, const std::uint32_t* colorKey)
{
    device_ = device;
    texture_.reset();
    PngImage image;
    const std::string file = DataFiles::ofThisProgram().image(fileName);
    if (device != nullptr && !image.load(file))
        reportUnreadable(file, image.error());
    if (!image.pixels().empty()) {
        if (colorKey != nullptr)
            for (std::uint32_t& texel : image.pixels())
                if (texel == *colorKey)
                    texel = 0;
        texture_ = device->createTexture(image.width(), image.height(), image.pixels().data());
    }
    resetState();
    return texture_ ? 0 : 1;
}

int Sprite::loadWithColorKey(Device* device, const char* fileName, std::uint32_t colorKey)
{
    return loadFile(device, fileName, &colorKey);
}

int Sprite::load(Device* device, const char* fileName) { return loadFile(device, fileName, nullptr); }

int Sprite::attach(Device* device, std::shared_ptr<Texture> texture)
{
    device_ = device;
    texture_ = std::move(texture);
    resetState();
    return 0;
}

void Sprite::draw(float x, float y, float z, float width, float height, float sourceX, float sourceY,
                  float sourceWidth, float sourceHeight)
{
    if (device_ == nullptr)
        return;
    device_->setRenderState(RenderState::ZWriteEnable, 0);
    if (scale_ != 1.0f) {
        const float scaledWidth = width * scale_;
        const float scaledHeight = height * scale_;
        x += (width - scaledWidth) * 0.5f;
        y += (height - scaledHeight) * 0.5f;
        width = scaledWidth;
        height = scaledHeight;
    }
    const std::uint32_t color = static_cast<std::uint32_t>(alpha_) << 24 | red_ << 16 | green_ << 8 | blue_;
    const auto tw = static_cast<float>(textureWidth_);
    const auto th = static_cast<float>(textureHeight_);
    const QuadCorners::Source uv{sourceX / tw, sourceY / th, (sourceX + sourceWidth) / tw,
                                 (sourceY + sourceHeight) / th};
    SpriteVertex v[4];
    QuadCorners::build(v, x, y, z, width, height, rotation_, color, uv);
    device_->setTexture(texture_.get());
    device_->drawFan(v);
    device_->setTexture(nullptr);
    device_->setRenderState(RenderState::ZWriteEnable, 1);
}

void Sprite::drawWhole(float x, float y, float z, float width, float height)
{
    draw(x, y, z, width, height, 0, 0, static_cast<float>(textureWidth_), static_cast<float>(textureHeight_));
}

void Sprite::resetState()
{
    red_ = green_ = blue_ = alpha_ = 255;
    scale_ = 1.0f;
    rotation_ = 0;
}

void Sprite::setColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    red_ = red;
    green_ = green;
    blue_ = blue;
}

void Sprite::setTextureSize(int width, int height)
{
    textureWidth_ = width;
    textureHeight_ = height;
}
