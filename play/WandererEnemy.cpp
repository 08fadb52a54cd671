#include "play/WandererEnemy.h"

#include "base/PortableMath.h"
#include "base/Field.h"
#include "play/RoundWorld.h"

void WandererEnemy::chooseTarget()
{
    targetX_ = world_.random.range(0, field::kWidth);
    targetY_ = world_.random.range(0, field::kHeight);
}

void WandererEnemy::move()
{
    const pmath::SinCos a = pmath::sinCos(pmath::atan2(y_ - targetY_, x_ - targetX_));
    x_ -= a.cos * 0.5;
    y_ -= a.sin * 0.5;
    if (++world_.wandererSteps >= kRetargetSteps) {
        chooseTarget();
        world_.wandererSteps = 0;
    }
}
