#include "play/SwayingEnemy.h"

#include "base/PortableMath.h"
#include "base/Field.h"

#include <numbers>

void SwayingEnemy::move()
{
    const double a = pmath::atan2(y_ - field::kCentreY, x_ - field::kCentreX);
    const double p = pmath::cos(a) * 0.25;
    const double q = pmath::sin(a) * 0.25;
    if (circling_) {
        const float theta = static_cast<float>(phase_ * std::numbers::pi / 180);
        x_ -= pmath::sin(theta) + p;
        y_ -= pmath::cos(theta) + q;
    } else {
        const double w = pmath::sin(phase_ * std::numbers::pi / 180);
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
