#include "play/StraightEnemy.h"

#include "app/PortableMath.h"

void StraightEnemy::move()
{
    const double a = pmath::atan2(y_ - 240, x_ - 320);
    x_ -= pmath::cos(a) * speed_;
    y_ -= pmath::sin(a) * speed_;
}
