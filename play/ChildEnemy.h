#pragma once

#include "play/Enemy.h"

// Flies straight out of a dying splitter; leaving the screen it vanishes unpaid.
class ChildEnemy : public Enemy {
public:
    ChildEnemy(double dx, double dy) : dx_(dx), dy_(dy) {}

protected:
    void move() override;

private:
    double dx_;
    double dy_;
};
