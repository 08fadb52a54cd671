#include "play/BigEnemy.h"

#include "base/PortableMath.h"
#include "play/EnemyKind.h"
#include "base/Field.h"

#include <numbers>

void BigEnemy::move()
{
    const pmath::SinCos a = pmath::sinCos(pmath::atan2(y_ - field::kCentreY, x_ - field::kCentreX));
    const double p = a.cos * 0.25;
    const double q = a.sin * 0.25;
    x_ -= p;
    y_ -= q;
    knockBack(p, q);
}

void BigEnemy::startDying()
{
    if (children_ == nullptr)
        return;
    for (int i = 0; i < 6; ++i) {
        const double theta = i * (1.0 / 6) * 2 * std::numbers::pi;
        children_->spawnMoving(x_, y_, pmath::cos(theta), pmath::sin(theta));
    }
}
