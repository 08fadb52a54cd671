#pragma once

#include "play/Enemy.h"

struct RoundWorld;

// Walks toward a random point; every 120 steps, counted over all wanderers
// together, one of them picks a new point (kind 2).
class WandererEnemy : public Enemy {
public:
    // The steps between new targets; the shared count never reaches it between steps.
    static constexpr int kRetargetSteps = 120;

    explicit WandererEnemy(RoundWorld& world) : world_(world) {}

protected:
    void move() override;
    // Draws the first target.
    void started() override { chooseTarget(); }

private:
    void chooseTarget();

    RoundWorld& world_;
    double targetX_ = 0;
    double targetY_ = 0;
};
