#include "play/SwayingEnemy.h"

#include "platform/Field.h"

#include <cmath>
#include <numbers>

void SwayingEnemy::move()
{
    const double a = std::atan2(y_ - field::kCentreY, x_ - field::kCentreX);
    const double p = std::cos(a) * 0.25;
    const double q = std::sin(a) * 0.25;
    if (circling_) {
        const float theta = static_cast<float>(phase_ * std::numbers::pi / 180);
        x_ -= std::sin(theta) + p;
        y_ -= std::cos(theta) + q;
    } else {
        const double w = std::sin(phase_ * std::numbers::pi / 180);
        x_ -= p + w;
        y_ -= q + w;
    }
    knockBack(p, q);
}

void SwayingEnemy::afterStep()
{
    if (++phase_ == 360)
        phase_ = 0;
}
