#pragma once

#include "platform/Platform.h"
#include "render/BitmapFont.h"
#include "render/SolidRect.h"
#include "render/Sprite.h"
#include "tools/RoundInput.h"

#include <cstdint>

class DeviceSystem;

// The bottom band: the round clock in wall-clock seconds and the score, into which
// added points roll a power of ten at a time.
class InfoPanel {
public:
    static constexpr int kMaxScore = 99999999;

    void initialize(DeviceSystem* system, platform::Window* window);
    void reset(RoundInput& input);
    void update(RoundInput& input);
    void draw();
    void addScore(int points) { pending_ += points; }
    int timeLeft() const { return timeLeft_; }
    int score() const { return score_; }

    int pending() const { return pending_; }

private:
    void rollUp();

    DeviceSystem* system_ = nullptr;
    SolidRect band_;
    BitmapFont font_;
    // Loaded with the panel's images but not shown.
    Sprite information_;
    int score_ = 0;
    int pending_ = 0;
    int timeLeft_ = 180;
    std::uint32_t lastTick_ = 0;
};
