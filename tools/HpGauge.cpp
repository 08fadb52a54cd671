#include "tools/HpGauge.h"

#include "render/DeviceSystem.h"

namespace {
constexpr int kBlinkStep = 8;
constexpr int kBarWidth = 118;
}

void HpGauge::initialize(DeviceSystem* system)
{
    sprite_.load(system->device(), "data/gage.png");
    sprite_.setTextureSize(128, 128);
    font_.initialize(system, nullptr);
    blinkAlpha_ = 0;
    blinkFalling_ = 0;
    system_ = system;
}

void HpGauge::reset() { target_ = shown_ = 100; }

void HpGauge::setBlink(int alpha, int falling)
{
    blinkAlpha_ = alpha;
    blinkFalling_ = falling;
}

void HpGauge::update()
{
    if (blinkFalling_ == 0) {
        blinkAlpha_ += kBlinkStep;
        if (blinkAlpha_ >= kBrightest) {
            blinkAlpha_ = kBrightest;
            blinkFalling_ = 1;
        }
    } else {
        blinkAlpha_ -= kBlinkStep;
        if (blinkAlpha_ <= 0) {
            blinkAlpha_ = 0;
            blinkFalling_ = 0;
        }
    }
    if (shown_ > target_)
        --shown_;
}

void HpGauge::draw(int x, int y, int hp)
{
    target_ = hp;
    const int length = kBarWidth - static_cast<int>((1 - shown_ * 0.01) * kBarWidth);
    const auto fx = static_cast<float>(x);
    const auto fy = static_cast<float>(y);
    const auto fl = static_cast<float>(length);
    system_->setBlendMode(BlendSetup::Alpha);
    sprite_.setRotation(0);
    sprite_.setAlpha(255);
    sprite_.draw(fx, fy, 0, 128, 28, 0, 28, 128, 28);
    sprite_.draw(fx + 5, fy + 5, 0, fl, 18, 5, 5, fl, 18);
    if (shown_ * 0.01 <= static_cast<double>(0.3f)) {
        sprite_.setAlpha(static_cast<std::uint8_t>(blinkAlpha_));
        sprite_.draw(fx + 5, fy + 5, 0, fl, 18, 5, 33, fl, 18);
    }
    font_.setSpacing(24);
    font_.drawString(x - 64, y - 2, "HP", 1);
}
