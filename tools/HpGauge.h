#pragma once

#include "render/BitmapFont.h"
#include "render/Sprite.h"

class DeviceSystem;

// The hit-point bar: follows the base's points one a step and blinks at 30 or less.
class HpGauge {
public:
    // The blink's alpha runs between 0 and this.
    static constexpr int kBrightest = 255;
    void initialize(DeviceSystem* system);
    void reset();
    void update();
    void draw(int x, int y, int hp);

    int shown() const { return shown_; }
    // The blink runs on from round to round.
    int blink() const { return blinkAlpha_; }
    int blinkFalling() const { return blinkFalling_; }
    void setBlink(int alpha, int falling);

private:
    Sprite sprite_;
    DeviceSystem* system_ = nullptr;
    BitmapFont font_;
    int blinkAlpha_ = 0;
    int blinkFalling_ = 0;
    int target_ = 100;
    int shown_ = 100;
};
