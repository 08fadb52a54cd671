#include "render/SolidRect.h"

#include "platform/Device.h"
#include "base/Field.h"
#include "render/QuadCorners.h"

int SolidRect::initialize(Device* device)
{
    device_ = device;
    red_ = green_ = blue_ = 255;
    alpha_ = 255;
    rotation_ = 0;
    return 0;
}

void SolidRect::setColor(int red, int green, int blue)
{
    red_ = red;
    green_ = green;
    blue_ = blue;
}

void SolidRect::veil(int red, int green, int blue, int alpha)
{
    setRotation(0);
    setColor(red, green, blue);
    setAlpha(static_cast<std::uint8_t>(alpha));
    draw(0, 0, 0, field::kWidth, field::kHeight);
}

void SolidRect::draw(float x, float y, float z, float width, float height)
{
    if (device_ == nullptr)
        return;
    device_->setRenderState(RenderState::ZWriteEnable, 0);
    const std::uint32_t color = static_cast<std::uint32_t>(alpha_) << 24
                                | static_cast<std::uint32_t>(red_ & 255) << 16
                                | static_cast<std::uint32_t>(green_ & 255) << 8
                                | static_cast<std::uint32_t>(blue_ & 255);
    SpriteVertex v[4];
    QuadCorners::build(v, x, y, z, width, height, rotation_, color, {0, 0, 1, 1});
    // Every sprite unbinds its texture after drawing, so this quad is flat.
    device_->drawFan(v);
    device_->setRenderState(RenderState::ZWriteEnable, 1);
}
