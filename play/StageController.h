#pragma once

#include "play/EnemyKind.h"

class Base;
class Bomb;
class DeviceSystem;
class Random;
struct RoundWorld;

// Releases enemies beyond the edges by the seconds left in the round, and runs
// every kind each step.
class StageController {
public:
    // Every kind but the child, which its parent kind holds.
    static constexpr int kKinds = kEnemyTypes - 1;
    // The most steps between releases; the spawn timer stays below it.
    static constexpr int kLongestPeriod = 60;

    StageController();
    void initialize(DeviceSystem* system, RoundWorld* world, Bomb* bomb, Base* base);
    void draw();
    // Returns what the enemies finished in this step are worth.
    HitsAndPoints update(int secondsLeft);
    // Removes every enemy; the spawn timer carries on into the next round.
    void clear();

    int enemyCount() const;
    int spawnTimer() const { return spawnTimer_; }
    // What an earlier round left, given back to a replayed round.
    void setSpawnTimer(int steps) { spawnTimer_ = steps; }
    EnemyKind& kind(EnemyType type);
    const EnemyKind& kind(EnemyType type) const { return kinds_[static_cast<int>(type)]; }

private:
    void release(int secondsLeft);
    void spawnAtEdge(EnemyType type);

    EnemyKind kinds_[kKinds];
    Random* random_ = nullptr;
    int spawnTimer_ = 0;
};
