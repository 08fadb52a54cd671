#include "play/StraightEnemy.h"

#include "base/PortableMath.h"
#include "base/Field.h"


void StraightEnemy::move()
{
    const double a = pmath::atan2(y_ - field::kCentreY, x_ - field::kCentreX);
    x_ -= pmath::cos(a) * speed_;
    y_ -= pmath::sin(a) * speed_;
}
