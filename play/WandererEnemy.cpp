#include "play/WandererEnemy.h"

#include "app/PortableMath.h"
#include "app/Random.h"
#include "platform/Field.h"

namespace {
// One counter for the program, shared by every wanderer and never reset.
int sharedRetargetCounter = 0;
constexpr int kRetargetSteps = 120;
}  // namespace

void WandererEnemy::chooseTarget()
{
    targetX_ = randomRange(0, field::kWidth);
    targetY_ = randomRange(0, field::kHeight);
}

int WandererEnemy::retargetCounter() { return sharedRetargetCounter; }

void WandererEnemy::setRetargetCounter(int steps) { sharedRetargetCounter = steps; }

void WandererEnemy::move()
{
    const double a = pmath::atan2(y_ - targetY_, x_ - targetX_);
    x_ -= pmath::cos(a) * 0.5;
    y_ -= pmath::sin(a) * 0.5;
    if (++sharedRetargetCounter >= kRetargetSteps) {
        chooseTarget();
        sharedRetargetCounter = 0;
    }
}
