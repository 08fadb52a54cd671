#include "tools/Base.h"

#include "render/DeviceSystem.h"

namespace {
constexpr int kFlashSteps = 20;
constexpr int kDamage = 3;
}  // namespace

void Base::initialize(DeviceSystem* system, platform::Window*)
{
    system_ = system;
    sprite_.load(system->device(), "data/base.png");
    sprite_.setTextureSize(128, 128);
}

void Base::reset(int x, int y)
{
    hitPoints_ = 100;
    angle_ = 0;
    x_ = x;
    y_ = y;
    flashTimer_ = 0;
}

void Base::update()
{
    angle_ += 1;
    if (angle_ >= 360)
        angle_ -= 360;
    if (flashTimer_ > 0)
        --flashTimer_;
}

void Base::draw()
{
    system_->setBlendMode(BlendSetup::Alpha);
    sprite_.setRotation(static_cast<float>(angle_));
    // Linear filtering smooths the turning image.
    system_->setFilter(Filter::Linear);
    sprite_.setAlpha(255);
    sprite_.setColor(255, 255, 255);
    const auto left = static_cast<float>(x_ - 64);
    const auto top = static_cast<float>(y_ - 64);
    sprite_.drawWhole(left, top, 0, 128, 128);
    if (flashTimer_ > 0) {
        sprite_.setAlpha(static_cast<std::uint8_t>(flashTimer_ * 12.75));
        sprite_.setColor(255, 0, 0);
        sprite_.drawWhole(left, top, 0, 128, 128);
    }
    system_->setFilter(Filter::Point);
}

void Base::damage()
{
    flashTimer_ = kFlashSteps;
    hitPoints_ -= kDamage;
    if (hitPoints_ <= 0)
        hitPoints_ = 0;
}
