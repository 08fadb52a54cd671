#include "play/StraightEnemy.h"

#include "base/PortableMath.h"
#include "base/Field.h"


void StraightEnemy::move()
{
    const pmath::SinCos a = pmath::sinCos(pmath::atan2(y_ - field::kCentreY, x_ - field::kCentreX));
    x_ -= a.cos * speed_;
    y_ -= a.sin * speed_;
}
