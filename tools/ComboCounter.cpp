#include "tools/ComboCounter.h"

#include <cstdio>

namespace {
constexpr int kTimeout = 180;
}

void ComboCounter::initialize(DeviceSystem* system)
{
    font_.initialize(system, nullptr);
    count_ = best_ = timer_ = 0;
}

void ComboCounter::reset() { best_ = count_ = timer_ = 0; }

void ComboCounter::addHits(int hits)
{
    if (hits != 0) {
        count_ += hits;
        if (count_ > best_)
            best_ = count_;
        timer_ = kTimeout;
    }
    if (timer_ > 0) {
        --timer_;
        if (timer_ == 0)
            count_ = 0;
    }
}

void ComboCounter::draw()
{
    const int alpha = static_cast<int>(timer_ * (1.0 / kTimeout) * 255);
    font_.setAlpha(alpha);
    font_.setSpacing(24);
    font_.drawString(0, 120, "COMBO", 1);
    char text[16];
    std::snprintf(text, sizeof text, "%03d", count_);
    font_.drawString(0, 152, text, 1);
    font_.drawString(80, 152, "HIT", 1);
}
