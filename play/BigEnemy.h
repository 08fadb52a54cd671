#pragma once

#include "play/Enemy.h"

class EnemyKind;

// Creeps toward the base at a quarter pixel a step and is pushed by the bomb. With
// a child kind it splits: six children leave it when it starts dying.
class BigEnemy : public Enemy {
public:
    explicit BigEnemy(EnemyKind* children = nullptr) : children_(children) {}

protected:
    void move() override;
    void startDying() override;

private:
    EnemyKind* children_;
};
