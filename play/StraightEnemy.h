#pragma once

#include "play/Enemy.h"

// Walks straight to the base at a fixed speed (kinds 1 and 3).
class StraightEnemy : public Enemy {
public:
    explicit StraightEnemy(double speed) : speed_(speed) {}

protected:
    void move() override;

private:
    double speed_;
};
