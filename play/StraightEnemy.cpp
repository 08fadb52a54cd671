#include "play/StraightEnemy.h"

#include <cmath>

void StraightEnemy::move()
{
    const double a = std::atan2(y_ - 240, x_ - 320);
    x_ -= std::cos(a) * speed_;
    y_ -= std::sin(a) * speed_;
}
