#pragma once

#include "play/Enemy.h"

// Creeps toward the base at a quarter pixel a step while it sways diagonally
// (kind 4) or circles (kind 5); a bomb in contact pushes it back.
class SwayingEnemy : public Enemy {
public:
    explicit SwayingEnemy(bool circling) : circling_(circling) {}

protected:
    void move() override;
    // The phase turns on in every step, dying or not.
    void afterStep() override;

private:
    bool circling_;
    int phase_ = 0;
};
