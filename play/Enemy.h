#pragma once

class DeviceSystem;
class Sprite;

// How a kind is drawn: living W and X plain, Y and Z tinted red while hit; Z is
// twice the size. Dying, each shows the kind's additive flash.
enum class DrawVariant { W, X, Y, Z };

// What every enemy of a kind starts with.
struct EnemyTraits {
    double hitPoints;
    double radius;
    int scoreValue;
    DrawVariant variant;
};

// One enemy: it moves toward the base while it has hit points, then dies over a
// 60-step countdown and is removed, and paid, when that runs out.
class Enemy {
public:
    virtual ~Enemy() = default;
    void update();
    void draw();
    void initialize(DeviceSystem* system, double x, double y, Sprite* sprite, Sprite* flash,
                    const EnemyTraits& traits);
    // Ignored while dying, except that the hit flag is set either way.
    void damage(int amount);
    void clearHit() { hit_ = 0; }
    int isAlive() const { return alive_; }

    double x() const { return x_; }
    double y() const { return y_; }
    double hitPoints() const { return hitPoints_; }
    double radius() const { return radius_; }
    int hit() const { return hit_; }
    int scoreValue() const { return scoreValue_; }
    int comboValue() const { return comboValue_; }
    int deathCountdown() const { return deathCountdown_; }
    void setKnockBack(double x, double y);
    // Reaching the base: dies at once and pays nothing.
    void sacrifice();

protected:
    // One step of movement; runs only while the enemy has hit points.
    virtual void move() = 0;
    // The first step of dying.
    virtual void startDying() {}
    // After the death step, every step.
    virtual void afterStep() {}
    // The end of initialize: what a kind sets up for itself.
    virtual void started() {}
    // The push of a bomb in contact, along each axis it moves outward on.
    void knockBack(double p, double q);
    // Gone without dying: off the screen.
    void vanish();

    double x_ = 0;
    double y_ = 0;
    double hitPoints_ = 0;
    double knockBackX_ = 0;
    double knockBackY_ = 0;

private:
    void deathStep();
    void drawLiving();
    void drawDying();

    double radius_ = 0;
    int scoreValue_ = 0;
    Sprite* sprite_ = nullptr;
    Sprite* flash_ = nullptr;
    DeviceSystem* system_ = nullptr;
    DrawVariant variant_ = DrawVariant::W;
    int hit_ = 0;
    int alive_ = 1;
    int comboValue_ = 1;
    int deathCountdown_ = 0;
};
