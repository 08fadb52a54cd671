#pragma once

#include "play/Enemy.h"
#include "render/Sprite.h"

#include <memory>
#include <vector>

class Base;
class Bomb;
class DeviceSystem;
struct RoundWorld;

enum class EnemyType { Walker, Wanderer, Runner, Swayer, Circler, Big, Splitter, Child };
constexpr int kEnemyTypes = static_cast<int>(EnemyType::Child) + 1;

// What the enemies finished in one step are worth: combo values and score values.
struct HitsAndPoints {
    int hits = 0;
    int points = 0;
    HitsAndPoints& operator+=(const HitsAndPoints& other);
};

// All enemies of one kind, with the two sprites they share. The splitting kind
// holds the kind of its children.
class EnemyKind {
public:
    explicit EnemyKind(EnemyType type);
    ~EnemyKind();
    EnemyKind(const EnemyKind&) = delete;
    EnemyKind& operator=(const EnemyKind&) = delete;

    void initialize(DeviceSystem* system, RoundWorld* world, Bomb* bomb, Base* base);
    void clear();
    void collide();
    void drawAll();
    // Moves, removes and pays the finished, then tests contacts.
    HitsAndPoints updateAll();
    // Does nothing for the child kind: only a splitter releases children.
    void spawn(double x, double y);
    void spawnMoving(double x, double y, double dx, double dy);

    // Living and dying, children included.
    int count() const;
    const std::vector<std::unique_ptr<Enemy>>& enemies() const { return enemies_; }
    EnemyKind* children() const { return children_.get(); }

private:
    void add(std::unique_ptr<Enemy> enemy, double x, double y);

    EnemyType type_;
    DeviceSystem* system_ = nullptr;
    RoundWorld* world_ = nullptr;
    Sprite sprite_;
    Sprite flash_;
    Bomb* bomb_ = nullptr;
    Base* base_ = nullptr;
    std::vector<std::unique_ptr<Enemy>> enemies_;
    std::unique_ptr<EnemyKind> children_;
};
