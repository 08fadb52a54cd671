#include "tools/FlashEffect.h"

#include "render/DeviceSystem.h"
#include "base/Random.h"

namespace {
constexpr int kLife = 60;
}

void FlashEffect::initialize(DeviceSystem* system, Random* random)
{
    system_ = system;
    random_ = random;
    sprite_.load(system->device(), "data/flash.png");
    sprite_.setTextureSize(128, 128);
}

void FlashEffect::spawn(double x, double y)
{
    flashes_.push_back(Flash{x, y, kLife, static_cast<int>(random_->range(128, 512))});
}

void FlashEffect::update()
{
    for (Flash& f : flashes_) {
        --f.life;
        if (f.life <= 0)
            f.life = 0;
    }
}

void FlashEffect::draw()
{
    system_->setBlendMode(BlendSetup::Additive);
    for (const Flash& f : flashes_) {
        const double k = f.life * (1.0 / kLife);
        const auto b = static_cast<std::uint8_t>(k * 255);
        sprite_.setColor(b, b, b);
        const double s = f.size * (1 - k);
        sprite_.drawWhole(static_cast<float>(f.x - s * 0.5), static_cast<float>(f.y - s * 0.5), 0,
                          static_cast<float>(s), static_cast<float>(s));
    }
}
