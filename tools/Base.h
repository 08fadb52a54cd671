#pragma once

#include "base/Field.h"
#include "platform/Platform.h"
#include "render/Sprite.h"

class DeviceSystem;

// What the player defends: turns a degree a step, 100 hit points, 3 lost a hit.
class Base {
public:
    void initialize(DeviceSystem* system, platform::Window* window);
    void reset(int x, int y);
    void update();
    void draw();
    void damage();
    double hitPoints() const { return hitPoints_; }
    double radius() const { return 32.0; }

    double angle() const { return angle_; }

private:
    double x_ = field::kCentreX;
    double y_ = field::kCentreY;
    Sprite sprite_;
    DeviceSystem* system_ = nullptr;
    double angle_ = 0;
    int hitPoints_ = 100;
    int flashTimer_ = 0;
};
