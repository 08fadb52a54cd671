#pragma once

#include "play/Enemy.h"

// Walks toward a random point; every 120 steps, counted over all wanderers
// together, one of them picks a new point (kind 2).
class WandererEnemy : public Enemy {
public:
    // The counter shared by all wanderers, which carries from round to round.
    static int retargetCounter();
    static void setRetargetCounter(int steps);

protected:
    void move() override;
    // Draws the first target.
    void started() override { chooseTarget(); }

private:
    void chooseTarget();

    double targetX_ = 0;
    double targetY_ = 0;
};
