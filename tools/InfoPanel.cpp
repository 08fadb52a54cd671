#include "tools/InfoPanel.h"

#include "render/DeviceSystem.h"
#include "base/Field.h"

#include <cstdio>

namespace {
constexpr int kRoundSeconds = 180;
constexpr int kBandTop = 430;
}

void InfoPanel::initialize(DeviceSystem* system, platform::Window* window)
{
    system_ = system;
    band_.initialize(system->device());
    font_.initialize(system, window);
    information_.load(system->device(), "data/information.png");
    information_.setTextureSize(32, 32);
}

void InfoPanel::reset(RoundInput& input)
{
    timeLeft_ = kRoundSeconds;
    score_ = 0;
    pending_ = 0;
    lastTick_ = input.milliseconds();
}

void InfoPanel::rollUp()
{
    int power = 1;
    int n = 0;
    while (power < pending_ && power <= 100000000) {
        power *= 10;
        ++n;
    }
    // The power below the one reached: 10^(n-1), exact, with no maths library involved.
    int chunk = n == 0 ? 0 : power / 10;
    if (chunk == 1)
        chunk = 10;
    pending_ -= chunk;
    score_ += chunk;
}

void InfoPanel::update(RoundInput& input)
{
    // One second at most per step; the rest of a long gap is dropped.
    if (input.milliseconds() - lastTick_ >= 1000u) {
        --timeLeft_;
        lastTick_ = input.milliseconds();
    }
    if (pending_ > 0)
        rollUp();
    if (score_ >= kMaxScore)
        score_ = kMaxScore;
}

void InfoPanel::draw()
{
    system_->setBlendMode(BlendSetup::Alpha);
    band_.setColor(0, 0, 0);
    band_.setAlpha(192);
    band_.setRotation(0);
    band_.draw(0, kBandTop, 0, field::kWidth, field::kHeight - kBandTop);
    char text[16];
    std::snprintf(text, sizeof text, "%08d", score_);
    font_.setSpacing(24);
    font_.drawString(420, 440, text, 0);
    font_.drawString(280, 440, "SCORE", 0);
    std::snprintf(text, sizeof text, "%03d", timeLeft_);
    font_.setSpacing(24);
    font_.drawString(140, 440, text, 0);
    font_.drawString(30, 440, "TIME", 0);
}
