#include "play/StageController.h"

#include "play/RoundWorld.h"
#include "base/Field.h"

#include <algorithm>
#include <iterator>

namespace {

using T = EnemyType;

// A release entry: one enemy, or two created one after the other.
struct Entry {
    T first;
    T second;
    bool pair;
};

constexpr int kEntries = 10;
constexpr int kRoundSeconds = 180;
constexpr float kSmallMargin = 64;
constexpr float kBigMargin = 128;

struct Band {
    int fromSeconds;  // inclusive; a band runs up to the next band's start
    int period;
    Entry entries[kEntries];
};

constexpr Entry one(T t) { return {t, t, false}; }

// A band, refused at compile time unless it has an entry for every draw.
template <std::size_t N>
constexpr Band band(int fromSeconds, int period, const Entry (&entries)[N])
{
    static_assert(N == kEntries, "a band has an entry for every draw");
    Band b{fromSeconds, period, {}};
    for (std::size_t i = 0; i < N; ++i)
        b.entries[i] = entries[i];
    return b;
}

constexpr Band kBands[] = {
    band(150, 60, {one(T::Wanderer), one(T::Wanderer), one(T::Wanderer), one(T::Walker), one(T::Walker),
               one(T::Walker), one(T::Walker), one(T::Walker), one(T::Walker), one(T::Walker)}),
    band(120, 50, {{T::Swayer, T::Runner, true}, one(T::Runner), one(T::Wanderer), one(T::Wanderer),
               one(T::Wanderer), one(T::Big), one(T::Big), one(T::Walker), one(T::Walker), one(T::Walker)}),
    band(90, 50, {one(T::Walker), one(T::Runner), one(T::Swayer), one(T::Swayer), one(T::Swayer),
              one(T::Swayer), one(T::Circler), one(T::Circler), one(T::Circler), one(T::Circler)}),
    band(60, 50, {one(T::Big), one(T::Big), one(T::Runner), one(T::Swayer), one(T::Swayer), one(T::Swayer),
              one(T::Runner), one(T::Runner), one(T::Circler), one(T::Circler)}),
    band(30, 50, {one(T::Big), one(T::Splitter), one(T::Walker), one(T::Wanderer), one(T::Wanderer),
              one(T::Wanderer), one(T::Walker), one(T::Walker), one(T::Runner), one(T::Runner)}),
    band(0, 40, {one(T::Big), one(T::Splitter), one(T::Splitter), one(T::Runner), one(T::Wanderer),
             one(T::Runner), one(T::Walker), one(T::Wanderer), one(T::Swayer), one(T::Circler)}),
};
static_assert(std::size(kBands) == 6 && kBands[std::size(kBands) - 1].fromSeconds == 0,
              "the bands cover the whole round");
static_assert(std::all_of(std::begin(kBands), std::end(kBands),
                          [](const Band& b) { return b.period <= StageController::kLongestPeriod; }),
              "the spawn timer stays below the longest period");

const Band* bandOf(int seconds)
{
    if (seconds > kRoundSeconds)
        return nullptr;
    for (const Band& band : kBands)
        if (seconds >= band.fromSeconds)
            return &band;
    return nullptr;
}

}  // namespace

StageController::StageController()
    : kinds_{EnemyKind(T::Walker), EnemyKind(T::Wanderer), EnemyKind(T::Runner), EnemyKind(T::Swayer),
             EnemyKind(T::Circler), EnemyKind(T::Big), EnemyKind(T::Splitter)}
{
}

void StageController::initialize(DeviceSystem* system, RoundWorld* world, Bomb* bomb, Base* base)
{
    random_ = &world->random;
    for (EnemyKind& kind : kinds_)
        kind.initialize(system, world, bomb, base);
}

EnemyKind& StageController::kind(EnemyType type)
{
    // The child kind lives inside the splitting kind.
    if (type == T::Child)
        return *kind(T::Splitter).children();
    return kinds_[static_cast<int>(type)];
}

void StageController::draw()
{
    for (EnemyKind& kind : kinds_)
        kind.drawAll();
}

void StageController::clear()
{
    for (EnemyKind& kind : kinds_)
        kind.clear();
}

void StageController::spawnAtEdge(EnemyType type)
{
    const float m = type == T::Big || type == T::Splitter ? kBigMargin : kSmallMargin;
    double x = 0;
    double y = 0;
    switch (random_->nextInt() % 4) {
    case 0:
        x = random_->range(-m, 0);
        y = random_->range(0, field::kHeight);
        break;
    case 1:
        x = random_->range(field::kWidth, field::kWidth + m);
        y = random_->range(0, field::kHeight);
        break;
    case 2:
        x = random_->range(0, field::kWidth);
        y = random_->range(field::kHeight, field::kHeight + m);
        break;
    default:
        x = random_->range(0, field::kWidth);
        y = random_->range(-m, 0);
        break;
    }
    kind(type).spawn(x, y);
}

void StageController::release(int secondsLeft)
{
    const Band* band = bandOf(secondsLeft);
    if (band != nullptr && spawnTimer_ == 0) {
        const Entry& entry = band->entries[random_->nextInt() % kEntries];
        spawnAtEdge(entry.first);
        if (entry.pair)
            spawnAtEdge(entry.second);
        spawnTimer_ = band->period - 1;
    } else if (spawnTimer_ > 0) {
        --spawnTimer_;
    }
}

HitsAndPoints StageController::update(int secondsLeft)
{
    release(secondsLeft);
    HitsAndPoints total;
    for (EnemyKind& kind : kinds_)
        total += kind.updateAll();
    return total;
}

int StageController::enemyCount() const
{
    int count = 0;
    for (const EnemyKind& kind : kinds_)
        count += kind.count();
    return count;
}
