#include "play/EnemyKind.h"

#include "app/DeviceSystem.h"
#include "play/BigEnemy.h"
#include "play/ChildEnemy.h"
#include "play/StraightEnemy.h"
#include "play/SwayingEnemy.h"
#include "play/WandererEnemy.h"
#include "platform/Field.h"
#include "tools/Base.h"
#include "tools/Bomb.h"

#include <cmath>

namespace {

struct KindTable {
    const char* file;
    int textureSize;
    EnemyTraits traits;
};

const KindTable& table(EnemyType type)
{
    static const KindTable kinds[] = {
        {"data/enemy01.png", 64, {1, 16, 100, DrawVariant::W}},
        {"data/enemy02.png", 64, {1, 16, 100, DrawVariant::X}},
        {"data/enemy03.png", 64, {1, 16, 200, DrawVariant::X}},
        {"data/enemy04.png", 64, {20, 32, 150, DrawVariant::Y}},
        {"data/enemy05.png", 64, {1, 20, 100, DrawVariant::Y}},
        {"data/bigenemy01.png", 128, {20, 42, 300, DrawVariant::Z}},
        {"data/bigenemy02.png", 128, {25, 36, 300, DrawVariant::Z}},
        {"data/bigenemy02_c.png", 64, {1, 20, 100, DrawVariant::X}},
    };
    return kinds[static_cast<int>(type)];
}

double square(double v) { return v * v; }

}  // namespace

HitsAndPoints& HitsAndPoints::operator+=(const HitsAndPoints& other)
{
    hits += other.hits;
    points += other.points;
    return *this;
}

EnemyKind::EnemyKind(EnemyType type) : type_(type)
{
    if (type == EnemyType::Splitter)
        children_ = std::make_unique<EnemyKind>(EnemyType::Child);
}

EnemyKind::~EnemyKind() = default;

void EnemyKind::initialize(DeviceSystem* system, Bomb* bomb, Base* base)
{
    system_ = system;
    bomb_ = bomb;
    base_ = base;
    const KindTable& kind = table(type_);
    sprite_.load(system->device(), kind.file);
    sprite_.setTextureSize(kind.textureSize, kind.textureSize);
    flash_.load(system->device(), "data/flash.png");
    flash_.setTextureSize(128, 128);
    if (children_)
        children_->initialize(system, bomb, base);
}

void EnemyKind::clear()
{
    enemies_.clear();
    if (children_)
        children_->clear();
}

std::unique_ptr<Enemy> EnemyKind::create(double dx, double dy)
{
    switch (type_) {
    case EnemyType::Walker: return std::make_unique<StraightEnemy>(0.5);
    case EnemyType::Runner: return std::make_unique<StraightEnemy>(1.0);
    case EnemyType::Wanderer: return std::make_unique<WandererEnemy>();
    case EnemyType::Swayer: return std::make_unique<SwayingEnemy>(false);
    case EnemyType::Circler: return std::make_unique<SwayingEnemy>(true);
    case EnemyType::Big: return std::make_unique<BigEnemy>();
    case EnemyType::Splitter: return std::make_unique<BigEnemy>(children_.get());
    case EnemyType::Child: return std::make_unique<ChildEnemy>(dx, dy);
    }
    return nullptr;
}

void EnemyKind::spawn(double x, double y)
{
    if (type_ == EnemyType::Child)
        return;
    std::unique_ptr<Enemy> enemy = create(0, 0);
    enemy->initialize(system_, x, y, &sprite_, &flash_, table(type_).traits);
    if (type_ == EnemyType::Wanderer)
        static_cast<WandererEnemy&>(*enemy).chooseTarget();
    enemies_.push_back(std::move(enemy));
}

void EnemyKind::spawnMoving(double x, double y, double dx, double dy)
{
    std::unique_ptr<Enemy> enemy = create(dx, dy);
    enemy->initialize(system_, x, y, &sprite_, &flash_, table(type_).traits);
    enemies_.push_back(std::move(enemy));
}

void EnemyKind::collide()
{
    const bool flying = bomb_->isFlying() != 0;
    const double speed = std::sqrt(square(bomb_->velocityX()) + square(bomb_->velocityY()));
    const int damage = static_cast<int>(speed * 0.1);
    for (const std::unique_ptr<Enemy>& e : enemies_) {
        const double d2 = square(bomb_->y() - e->y()) + square(bomb_->x() - e->x());
        if (flying && square(bomb_->radius() + e->radius()) >= d2) {
            e->damage(damage);
            e->setKnockBack(bomb_->velocityX(), bomb_->velocityY());
        } else {
            e->clearHit();
        }
    }
    for (const std::unique_ptr<Enemy>& e : enemies_) {
        if (e->hitPoints() <= 0)
            continue;
        const double d2 = square(field::kCentreY - e->y()) + square(field::kCentreX - e->x());
        if (square(base_->radius() + e->radius()) >= d2) {
            base_->damage();
            e->sacrifice();
        }
    }
}

HitsAndPoints EnemyKind::updateAll()
{
    for (const std::unique_ptr<Enemy>& e : enemies_)
        e->update();
    HitsAndPoints finished;
    std::erase_if(enemies_, [&finished](const std::unique_ptr<Enemy>& e) {
        if (e->isAlive() != 0)
            return false;
        finished.hits += e->comboValue();
        finished.points += e->scoreValue();
        return true;
    });
    collide();
    if (children_)
        finished += children_->updateAll();
    return finished;
}

void EnemyKind::drawAll()
{
    for (const std::unique_ptr<Enemy>& e : enemies_)
        e->draw();
    if (children_)
        children_->drawAll();
}

int EnemyKind::count() const
{
    return static_cast<int>(enemies_.size()) + (children_ ? children_->count() : 0);
}
