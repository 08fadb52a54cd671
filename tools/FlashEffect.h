#pragma once

#include "render/Sprite.h"

#include <vector>

class DeviceSystem;
class Random;

// Bursts of light that grow from a point and fade to nothing over 60 steps,
// added onto the picture. Finished flashes stay, invisible, until clear.
class FlashEffect {
public:
    struct Flash {
        double x;
        double y;
        int life;
        int size;
    };

    // Sizes are drawn from random.
    void initialize(DeviceSystem* system, Random* random);
    void spawn(double x, double y);
    void clear() { flashes_.clear(); }
    void update();
    void draw();

    const std::vector<Flash>& flashes() const { return flashes_; }

private:
    Sprite sprite_;
    DeviceSystem* system_ = nullptr;
    Random* random_ = nullptr;
    std::vector<Flash> flashes_;
};
