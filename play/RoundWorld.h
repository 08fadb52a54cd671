#pragma once

#include "base/Random.h"

// What a round draws on that outlives it: the random sequence, which the title's
// decorations share, and the wanderers' clock, which carries from round to round.
// Each run, and each replay played again, has its own.
struct RoundWorld {
    Random random;
    // Steps counted over all wanderers together toward the next new target.
    int wandererSteps = 0;
};
