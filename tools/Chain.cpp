#include "tools/Chain.h"

#include "render/DeviceSystem.h"
#include "base/Field.h"

void Chain::initialize(DeviceSystem* system, platform::Window*)
{
    system_ = system;
    sprite_.load(system->device(), "data/chain.png");
    sprite_.setTextureSize(32, 32);
}

void Chain::update(double x, double y)
{
    for (int i = 0; i < kLinks; ++i) {
        links_[i][0] = (x - field::kCentreX) * (1.0 / 6) * i + field::kCentreX;
        links_[i][1] = (y - field::kCentreY) * (1.0 / 6) * i + field::kCentreY;
    }
}

void Chain::draw()
{
    system_->setBlendMode(BlendSetup::Alpha);
    for (const auto& link : links_)
        sprite_.drawWhole(static_cast<float>(link[0] - 16), static_cast<float>(link[1] - 16), 0, 32, 32);
}
