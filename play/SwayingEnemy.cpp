#include "play/SwayingEnemy.h"

#include "base/PortableMath.h"
#include "base/Field.h"

#include <numbers>

namespace {

constexpr int kPhases = 360;

// The sway at each whole degree of the phase, worked out once: the very values a step
// would compute, not computed again for every enemy in every step.
struct SwayTable {
    double diagonal[kPhases];
    float circleSin[kPhases];
    float circleCos[kPhases];

    SwayTable()
    {
        for (int phase = 0; phase < kPhases; ++phase) {
            diagonal[phase] = pmath::sin(phase * std::numbers::pi / 180);
            const float theta = static_cast<float>(phase * std::numbers::pi / 180);
            circleSin[phase] = pmath::sin(theta);
            circleCos[phase] = pmath::cos(theta);
        }
    }
};

const SwayTable& swayTable()
{
    static const SwayTable table;
    return table;
}

}  // namespace

void SwayingEnemy::move()
{
    const pmath::SinCos a = pmath::sinCos(pmath::atan2(y_ - field::kCentreY, x_ - field::kCentreX));
    const double p = a.cos * 0.25;
    const double q = a.sin * 0.25;
    const SwayTable& sway = swayTable();
    if (circling_) {
        x_ -= sway.circleSin[phase_] + p;
        y_ -= sway.circleCos[phase_] + q;
    } else {
        const double w = sway.diagonal[phase_];
        x_ -= p + w;
        y_ -= q + w;
    }
    knockBack(p, q);
}

void SwayingEnemy::afterStep()
{
    if (++phase_ == kPhases)
        phase_ = 0;
}
