#include "play/EnemyKind.h"

#include "render/DeviceSystem.h"
#include "play/BigEnemy.h"
#include "play/ChildEnemy.h"
#include "play/StraightEnemy.h"
#include "play/SwayingEnemy.h"
#include "play/RoundWorld.h"
#include "play/WandererEnemy.h"
#include "base/Field.h"
#include "tools/Base.h"
#include "tools/Bomb.h"

#include <cmath>
#include <iterator>

namespace {

constexpr int kFlashSize = 128;
constexpr double kDamagePerSpeed = 0.1;

// Makes one enemy of a kind the stage releases; the splitter's gets the child kind.
using Maker = std::unique_ptr<Enemy> (*)(EnemyKind* children, RoundWorld& world);

template <class Kind>
std::unique_ptr<Enemy> make(EnemyKind*, RoundWorld&)
{
    return std::make_unique<Kind>();
}

// Kinds of one class that differ by an argument; spelled out, since not every
// compiler the project uses takes a floating-point template argument.
std::unique_ptr<Enemy> makeSlowStraight(EnemyKind*, RoundWorld&) { return std::make_unique<StraightEnemy>(0.5); }
std::unique_ptr<Enemy> makeFastStraight(EnemyKind*, RoundWorld&) { return std::make_unique<StraightEnemy>(1.0); }
std::unique_ptr<Enemy> makeSwaying(EnemyKind*, RoundWorld&) { return std::make_unique<SwayingEnemy>(false); }
std::unique_ptr<Enemy> makeCircling(EnemyKind*, RoundWorld&) { return std::make_unique<SwayingEnemy>(true); }

std::unique_ptr<Enemy> makeSplitter(EnemyKind* children, RoundWorld&) { return std::make_unique<BigEnemy>(children); }
std::unique_ptr<Enemy> makeWanderer(EnemyKind*, RoundWorld& world) { return std::make_unique<WandererEnemy>(world); }

struct KindTable {
    const char* file;
    int textureSize;
    EnemyTraits traits;
    // Null for the child kind, which only a dying splitter releases.
    Maker maker;
};

constexpr KindTable kKinds[] = {
    {"data/enemy01.png", 64, {1, 16, 100, DrawVariant::W}, makeSlowStraight},
    {"data/enemy02.png", 64, {1, 16, 100, DrawVariant::X}, makeWanderer},
    {"data/enemy03.png", 64, {1, 16, 200, DrawVariant::X}, makeFastStraight},
    {"data/enemy04.png", 64, {20, 32, 150, DrawVariant::Y}, makeSwaying},
    {"data/enemy05.png", 64, {1, 20, 100, DrawVariant::Y}, makeCircling},
    {"data/bigenemy01.png", 128, {20, 42, 300, DrawVariant::Z}, make<BigEnemy>},
    {"data/bigenemy02.png", 128, {25, 36, 300, DrawVariant::Z}, makeSplitter},
    {"data/bigenemy02_c.png", 64, {1, 20, 100, DrawVariant::X}, nullptr},
};
static_assert(std::size(kKinds) == kEnemyTypes, "one entry for every kind");

const KindTable& table(EnemyType type) { return kKinds[static_cast<int>(type)]; }

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

void EnemyKind::initialize(DeviceSystem* system, RoundWorld* world, Bomb* bomb, Base* base)
{
    system_ = system;
    world_ = world;
    bomb_ = bomb;
    base_ = base;
    const KindTable& kind = table(type_);
    sprite_.load(system->device(), kind.file);
    sprite_.setTextureSize(kind.textureSize, kind.textureSize);
    flash_.load(system->device(), "data/flash.png");
    flash_.setTextureSize(kFlashSize, kFlashSize);
    if (children_)
        children_->initialize(system, world, bomb, base);
}

void EnemyKind::clear()
{
    enemies_.clear();
    if (children_)
        children_->clear();
}

void EnemyKind::add(std::unique_ptr<Enemy> enemy, double x, double y)
{
    enemy->initialize(system_, x, y, &sprite_, &flash_, table(type_).traits);
    enemies_.push_back(std::move(enemy));
}

void EnemyKind::spawn(double x, double y)
{
    if (const Maker maker = table(type_).maker)
        add(maker(children_.get(), *world_), x, y);
}

void EnemyKind::spawnMoving(double x, double y, double dx, double dy)
{
    add(std::make_unique<ChildEnemy>(dx, dy), x, y);
}

void EnemyKind::collide()
{
    const bool flying = bomb_->isFlying() != 0;
    const double speed = std::sqrt(square(bomb_->velocityX()) + square(bomb_->velocityY()));
    const int damage = static_cast<int>(speed * kDamagePerSpeed);
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
