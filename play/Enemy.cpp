#include "play/Enemy.h"

#include "render/DeviceSystem.h"
#include "render/Sprite.h"

namespace {
constexpr int kDeathSteps = 60;

void drawCentred(Sprite& sprite, double x, double y, double size)
{
    sprite.drawWhole(static_cast<float>(x - size / 2), static_cast<float>(y - size / 2), 0,
                     static_cast<float>(size), static_cast<float>(size));
}
}  // namespace

void Enemy::initialize(DeviceSystem* system, double x, double y, Sprite* sprite, Sprite* flash,
                       const EnemyTraits& traits)
{
    system_ = system;
    x_ = x;
    y_ = y;
    sprite_ = sprite;
    flash_ = flash;
    hitPoints_ = traits.hitPoints;
    radius_ = traits.radius;
    scoreValue_ = traits.scoreValue;
    variant_ = traits.variant;
    knockBackX_ = knockBackY_ = 0;
    hit_ = 0;
    alive_ = 1;
    comboValue_ = 1;
    deathCountdown_ = 0;
    started();
}

void Enemy::update()
{
    if (hitPoints_ > 0)
        move();
    deathStep();
    afterStep();
}

void Enemy::deathStep()
{
    if (hitPoints_ > 0 || alive_ == 0)
        return;
    if (deathCountdown_ == 0) {
        deathCountdown_ = kDeathSteps;
        startDying();
    } else if (--deathCountdown_ == 0) {
        alive_ = 0;
    }
}

void Enemy::damage(int amount)
{
    if (deathCountdown_ == 0)
        hitPoints_ -= amount;
    hit_ = 1;
}

void Enemy::setKnockBack(double x, double y)
{
    knockBackX_ = x;
    knockBackY_ = y;
}

void Enemy::sacrifice()
{
    damage(999999);
    scoreValue_ = 0;
    comboValue_ = 0;
}

void Enemy::vanish()
{
    alive_ = 0;
    scoreValue_ = 0;
    comboValue_ = 0;
}

void Enemy::knockBack(double p, double q)
{
    if (hit_ != 1)
        return;
    if (p * knockBackX_ < 0)
        x_ -= 0.1 * knockBackX_;
    if (q * knockBackY_ < 0)
        y_ -= 0.1 * knockBackY_;
}

void Enemy::draw()
{
    if (alive_ == 0)
        return;
    if (deathCountdown_ == 0)
        drawLiving();
    else
        drawDying();
}

void Enemy::drawLiving()
{
    system_->setBlendMode(BlendSetup::Alpha);
    if (variant_ == DrawVariant::W || variant_ == DrawVariant::X) {
        sprite_->setAlpha(255);
    } else if (hit_ == 1) {
        sprite_->setAlpha(128);
        sprite_->setColor(255, 0, 0);
    } else {
        sprite_->setAlpha(255);
        sprite_->setColor(255, 255, 255);
    }
    drawCentred(*sprite_, x_, y_, variant_ == DrawVariant::Z ? 128 : 64);
}

void Enemy::drawDying()
{
    system_->setBlendMode(BlendSetup::Additive);
    const int k = deathCountdown_;
    const double f = k <= 30 ? k * (1.0 / 30) : 1.0;
    const double base = variant_ == DrawVariant::Z ? 256 : 128;
    const double size = (1 - k * (1.0 / 60)) * base * 2.5;
    const auto red = static_cast<std::uint8_t>(f * 255);
    const auto green = static_cast<std::uint8_t>(f * 96);
    const auto blue = static_cast<std::uint8_t>(variant_ == DrawVariant::W ? f * 16 : f * 64);
    system_->setFilter(Filter::Linear);
    for (int pass = 0; pass < 2; ++pass) {
        flash_->setColor(red, green, blue);
        drawCentred(*flash_, x_, y_, size);
    }
    system_->setFilter(Filter::Point);
}
