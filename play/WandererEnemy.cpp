#include "play/WandererEnemy.h"

#include "app/Random.h"
#include "platform/Field.h"

#include <cmath>

namespace {
// One counter for the program, shared by every wanderer and never reset.
int retargetCounter = 0;
constexpr int kRetargetSteps = 120;
}  // namespace

void WandererEnemy::chooseTarget()
{
    targetX_ = randomRange(0, field::kWidth);
    targetY_ = randomRange(0, field::kHeight);
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
