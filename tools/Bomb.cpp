#include "tools/Bomb.h"

#include "render/DeviceSystem.h"
#include "base/PortableMath.h"
#include "base/Field.h"

#include <cmath>

namespace {
constexpr double kCentreX = field::kCentreX;
constexpr double kCentreY = field::kCentreY;
constexpr double kGrabDistance = 32;
constexpr double kSpring = 0.01;
// Single-precision constants widened to double, as the brake has always used them.
constexpr double kFirstBrake = 0.1f;
constexpr double kBrakeGrowth = 0.08f;

double clamp(double v, double high) { return v <= 0 ? 0 : (v >= high ? high : v); }
}  // namespace

void Bomb::initialize(DeviceSystem* system, platform::Window* window)
{
    system_ = system;
    sprite_.load(system->device(), "data/bomb.png");
    sprite_.setTextureSize(64, 64);
    chain_.initialize(system, window);
}

void Bomb::reset(int x, int y)
{
    x_ = x;
    y_ = y;
    vx_ = vy_ = 0;
    radius_ = 32;
    grabbed_ = 0;
    flying_ = 0;
}

void Bomb::handleButton(bool down, double mx, double my)
{
    if (down) {
        // Tested every step the button is down, so sweeping a held button over it grabs.
        if (std::sqrt((mx - x_) * (mx - x_) + (my - y_) * (my - y_)) <= kGrabDistance) {
            if (grabbed_ == 0) {
                grabDx_ = mx - x_;
                grabDy_ = my - y_;
                flying_ = 0;
            }
            grabbed_ = 1;
        }
    } else if (grabbed_ == 1) {
        vx_ = vy_ = 0;
        flying_ = 1;
        brake_ = kFirstBrake;
        grabbed_ = 0;
    }
}

void Bomb::fly()
{
    const pmath::SinCos theta = pmath::sinCos(pmath::atan2(y_ - kCentreY, x_ - kCentreX));
    x_ -= vx_;
    y_ -= vy_;
    // Bounce without clamping: the bomb may be drawn past an edge for a few steps.
    if (x_ <= 0 || x_ >= field::kWidth)
        vx_ = -vx_;
    if (y_ <= 0 || y_ >= field::kHeight)
        vy_ = -vy_;
    const double d = std::sqrt((x_ - kCentreX) * (x_ - kCentreX) + (y_ - kCentreY) * (y_ - kCentreY));
    double fx = d * theta.cos * kSpring;
    double fy = d * theta.sin * kSpring;
    bool braked = false;
    if (fx * vx_ < 0) {
        fx *= brake_;
        braked = true;
    }
    if (fy * vy_ < 0) {
        fy *= brake_;
        braked = true;
    }
    if (braked)
        brake_ += kBrakeGrowth;
    vx_ += fx;
    vy_ += fy;
    const auto still = [](double v) { return static_cast<int>(v) >= -1 && static_cast<int>(v) <= 1; };
    if ((x_ - kCentreX) * (x_ - kCentreX) + (y_ - kCentreY) * (y_ - kCentreY) <= 1 && still(vx_) && still(vy_))
        flying_ = 0;
}

void Bomb::update(RoundInput& input)
{
    const platform::Point pointer = input.pointer();
    const double mx = pointer.x;
    const double my = pointer.y;
    handleButton(input.buttonDown(), mx, my);
    if (grabbed_ == 1) {
        x_ = clamp(mx - grabDx_, field::kWidth);
        y_ = clamp(my - grabDy_, field::kHeight);
    } else if (flying_ == 1) {
        fly();
    }
    chain_.update(x_, y_);
}

void Bomb::draw()
{
    system_->setBlendMode(BlendSetup::Alpha);
    chain_.draw();
    sprite_.drawWhole(static_cast<float>(x_ - 32), static_cast<float>(y_ - 32), 0, 64, 64);
}
