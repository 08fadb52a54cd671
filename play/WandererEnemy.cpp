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
    const double a = pmath::atan2(y_ - targetY_, x_ - targetX_);
    x_ -= pmath::cos(a) * 0.5;
    y_ -= pmath::sin(a) * 0.5;
    if (++world_.wandererSteps >= kRetargetSteps) {
        chooseTarget();
        world_.wandererSteps = 0;
    }
}
