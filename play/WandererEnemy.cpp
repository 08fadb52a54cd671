#include "play/WandererEnemy.h"

#include "app/Random.h"

#include <cmath>

namespace {
// One counter for the program, shared by every wanderer and never reset.
int retargetCounter = 0;
constexpr int kRetargetSteps = 120;
}  // namespace

void WandererEnemy::chooseTarget()
{
    targetX_ = randomRange(0, 640);
    targetY_ = randomRange(0, 480);
}

void WandererEnemy::move()
{
    const double a = std::atan2(y_ - targetY_, x_ - targetX_);
    x_ -= std::cos(a) * 0.5;
    y_ -= std::sin(a) * 0.5;
    if (++retargetCounter >= kRetargetSteps) {
        chooseTarget();
        retargetCounter = 0;
    }
}
