#include "play/StraightEnemy.h"

#include "platform/Field.h"

#include <cmath>

void StraightEnemy::move()
{
    const double a = std::atan2(y_ - field::kCentreY, x_ - field::kCentreX);
    x_ -= std::cos(a) * speed_;
    y_ -= std::sin(a) * speed_;
}
