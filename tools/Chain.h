#pragma once

#include "platform/Platform.h"
#include "render/Sprite.h"

class DeviceSystem;

// Six links on the straight line from the spring's anchor toward the bomb.
class Chain {
public:
    static constexpr int kLinks = 6;

    void initialize(DeviceSystem* system, platform::Window* window);
    void update(double x, double y);
    void draw();

    double linkX(int i) const { return links_[i][0]; }

private:
    Sprite sprite_;
    DeviceSystem* system_ = nullptr;
    double links_[kLinks][2] = {};
};
