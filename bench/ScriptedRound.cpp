#include "bench/ScriptedRound.h"

#include "base/Random.h"
#include "base/Field.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr std::uint32_t kSeed = 1;
constexpr int kStepMilliseconds = 16;
constexpr int kFlingPeriod = 125;
constexpr int kDragSteps = 3;
constexpr int kCornerInset = 40;
const platform::Point kCorners[] = {{kCornerInset, kCornerInset},
                                    {field::kWidth - kCornerInset, field::kHeight - kCornerInset},
                                    {field::kWidth - kCornerInset, kCornerInset},
                                    {kCornerInset, field::kHeight - kCornerInset}};
}  // namespace

ScriptedRound::ScriptedRound(std::unique_ptr<platform::SimPlatform> platform) : sim_(std::move(platform))
{
    // Every round from the same random sequence, so that runs compare.
    session_.world.random.seed(kSeed);
    platform::Window* window = window_.create(field::kWidth, field::kHeight, "Tessaro");
    system_.initialize(*sim_, window);
    scene_.initialize(&system_, &sceneNumber_);
    scene_.enter();
}

void ScriptedRound::play(int phase)
{
    const Bomb& bomb = scene_.bomb();
    if (phase == 0) {
        sim_->movePointer({static_cast<int>(std::lround(bomb.x())), static_cast<int>(std::lround(bomb.y()))});
        sim_->press(platform::Key::LeftButton);
    } else if (phase == 1) {
        corner_ = (corner_ + 1) % std::size(kCorners);
        sim_->movePointer(kCorners[corner_]);
    } else if (phase == kDragSteps) {
        sim_->release(platform::Key::LeftButton);
    }
}

void ScriptedRound::step()
{
    if (scene_.endKind() != EndKind::Playing) {
        sim_->release(platform::Key::LeftButton);
        scene_.enter();
    }
    play(static_cast<int>(steps_ % kFlingPeriod));
    scene_.update();
    sim_->advanceClock(kStepMilliseconds);
    sim_->endStep();
    ++steps_;
    const int enemies = scene_.stage().enemyCount();
    enemySum_ += enemies;
    peakEnemies_ = std::max(peakEnemies_, enemies);
    flyingSteps_ += scene_.bomb().isFlying();
}
