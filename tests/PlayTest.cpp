#include "TestSupport.h"
#include "scenes/GameScene.h"
#include "scenes/NameEntryScene.h"
#include "play/StageController.h"
#include "tools/Base.h"
#include "tools/Bomb.h"

#include <cmath>

namespace {

class EnemyTest : public SimTest {
protected:
    EnemyTest()
    {
        bomb.initialize(&system, window);
        bomb.reset(320, 240);
        base.initialize(&system, window);
        base.reset(320, 240);
        stage.initialize(&system, &session.world, &bomb, &base);
    }

    // Flings the bomb from (600, 240) and flies it until its speed reaches at least
    // `from`; the speed it then has.
    double flyToSpeed(double from)
    {
        press(320, 240, true);
        press(600, 240, true);
        press(600, 240, false);
        double speed = 0;
        for (int i = 0; i < 1000 && speed < from; ++i) {
            bomb.update(player);
            speed = std::hypot(bomb.velocityX(), bomb.velocityY());
        }
        return speed;
    }
    void press(int x, int y, bool down)
    {
        sim.movePointer({x, y});
        down ? sim.press(platform::Key::LeftButton) : sim.release(platform::Key::LeftButton);
        bomb.update(player);
        sim.endStep();
    }
    Enemy& only(EnemyKind& kind) { return *kind.enemies().front(); }

    Bomb bomb;
    Base base;
    StageController stage;
};

}  // namespace

TEST_F(EnemyTest, BombContactHurtsByATenthOfItsSpeedTruncated)
{
    EnemyKind& walkers = stage.kind(EnemyType::Walker);
    const double slow = flyToSpeed(5);
    ASSERT_LT(slow, 10);
    walkers.spawn(bomb.x(), bomb.y());
    walkers.collide();
    EXPECT_EQ(only(walkers).hit(), 1);
    EXPECT_EQ(only(walkers).hitPoints(), 1);
    const double fast = flyToSpeed(10);
    ASSERT_GE(fast, 10);
    only(walkers).clearHit();
    walkers.clear();
    walkers.spawn(bomb.x(), bomb.y());
    walkers.collide();
    EXPECT_LE(only(walkers).hitPoints(), 0);
}

TEST_F(EnemyTest, ArmouredEnemyLosesHitPointsInEveryStepOfContact)
{
    EnemyKind& armoured = stage.kind(EnemyType::Swayer);
    const double speed = flyToSpeed(20);
    const int perStep = static_cast<int>(speed * 0.1);
    armoured.spawn(bomb.x(), bomb.y());
    armoured.collide();
    armoured.collide();
    EXPECT_DOUBLE_EQ(only(armoured).hitPoints(), 20 - 2 * perStep);
}

TEST_F(EnemyTest, ADyingEnemyIsFlaggedButNeitherHurtNorPushed)
{
    EnemyKind& armoured = stage.kind(EnemyType::Swayer);
    armoured.spawn(100, 100);
    Enemy& e = only(armoured);
    e.damage(20);
    armoured.updateAll();
    ASSERT_EQ(e.deathCountdown(), 60);
    e.damage(5);
    e.setKnockBack(-50, -50);
    const double x = e.x();
    armoured.updateAll();
    EXPECT_EQ(e.hitPoints(), 0);
    EXPECT_EQ(e.x(), x);
    EXPECT_EQ(e.deathCountdown(), 59);
}

TEST_F(EnemyTest, AnEnemyAtTheBasePaysNothingAndCostsThreeHitPoints)
{
    EnemyKind& walkers = stage.kind(EnemyType::Walker);
    walkers.spawn(360, 240);
    walkers.collide();
    EXPECT_EQ(base.hitPoints(), 97);
    HitsAndPoints paid;
    for (int i = 0; i < 61; ++i)
        paid += walkers.updateAll();
    EXPECT_EQ(walkers.count(), 0);
    EXPECT_EQ(paid.hits, 0);
    EXPECT_EQ(paid.points, 0);
    EXPECT_EQ(base.hitPoints(), 97);
}

TEST_F(EnemyTest, ADeathIsPaidSixtyOneStepsLater)
{
    EnemyKind& runners = stage.kind(EnemyType::Runner);
    runners.spawn(100, 100);
    only(runners).damage(1);  // step n
    for (int step = 1; step <= 60; ++step)
        ASSERT_EQ(runners.updateAll().points, 0) << step;
    const HitsAndPoints paid = runners.updateAll();
    EXPECT_EQ(paid.hits, 1);
    EXPECT_EQ(paid.points, 200);
}

TEST_F(EnemyTest, ASplitterKilledOffTheScreenReleasesChildrenThatVanishUnpaid)
{
    EnemyKind& splitters = stage.kind(EnemyType::Splitter);
    splitters.spawn(-100, 240);
    only(splitters).damage(25);
    const HitsAndPoints paid = splitters.updateAll();
    EXPECT_EQ(paid.hits, 0);
    EXPECT_EQ(paid.points, 0);
    EXPECT_EQ(splitters.children()->count(), 0);
}

TEST_F(EnemyTest, TheFirstChildMovesStraightRightTheOthersAtSixtyDegrees)
{
    EnemyKind& splitters = stage.kind(EnemyType::Splitter);
    splitters.spawn(320, 100);
    only(splitters).damage(25);
    splitters.updateAll();
    const auto& children = splitters.children()->enemies();
    ASSERT_EQ(children.size(), 6u);
    EXPECT_NEAR(children[0]->x(), 321, 1e-9);
    EXPECT_NEAR(children[0]->y(), 100, 1e-9);
    EXPECT_NEAR(children[1]->x(), 320.5, 1e-9);
    EXPECT_NEAR(children[1]->y(), 100 + std::sqrt(3.0) / 2, 1e-9);
    // Killed on the screen, a child pays like any enemy.
    children[0]->damage(1);
    HitsAndPoints paid;
    for (int i = 0; i < 61; ++i)
        paid += splitters.updateAll();
    EXPECT_EQ(paid.points, 100 + 300);
}

TEST_F(EnemyTest, LivingArmourTurnsRedWhileHitAndTheDeadFlashAdditively)
{
    EnemyKind& armoured = stage.kind(EnemyType::Swayer);
    armoured.spawn(100, 100);
    only(armoured).damage(1);
    drawn();
    armoured.drawAll();
    auto fans = drawn();
    ASSERT_EQ(fans.size(), 1u);
    EXPECT_EQ(fans[0].vertices[0].diffuse, 0x80FF0000u);
    only(armoured).damage(19);
    armoured.updateAll();
    armoured.drawAll();
    fans = drawn();
    ASSERT_EQ(fans.size(), 2u);
    EXPECT_EQ(fans[0].state.destBlend, Blend::One);
    EXPECT_EQ(fans[0].state.minFilter, Filter::Linear);
    EXPECT_EQ(fans[0].vertices[0].diffuse, 0xFFFF6040u);
    EXPECT_EQ(device().state().minFilter, Filter::Point);
}

TEST_F(EnemyTest, ABigEnemyFromBeyondTheLeftEdgeNeeds512StepsToReachIt)
{
    EnemyKind& big = stage.kind(EnemyType::Big);
    big.spawn(-128, 240);
    for (int i = 0; i < 512; ++i)
        big.updateAll();
    EXPECT_NEAR(only(big).x(), 0, 1e-9);
    EXPECT_NEAR(only(big).y(), 240, 1e-9);
}

TEST_F(EnemyTest, TheFirstStepOfARoundReleasesOneSmallEnemy)
{
    session.world.random.seed(1);
    const HitsAndPoints paid = stage.update(180);
    EXPECT_EQ(stage.enemyCount(), 1);
    EXPECT_EQ(stage.kind(EnemyType::Walker).count() + stage.kind(EnemyType::Wanderer).count(), 1);
    EXPECT_EQ(stage.spawnTimer(), 59);
    EXPECT_EQ(paid.hits, 0);
    EXPECT_EQ(paid.points, 0);
    const EnemyKind& kind = stage.kind(EnemyType::Walker).count() == 1 ? stage.kind(EnemyType::Walker)
                                                                        : stage.kind(EnemyType::Wanderer);
    const Enemy& e = *kind.enemies().front();
    const bool outside = e.x() <= 0 || e.x() >= 640 || e.y() <= 0 || e.y() >= 480;
    EXPECT_TRUE(outside);
}

TEST_F(EnemyTest, TheFirstEntryOfTheSecondBandReleasesTwoEnemies)
{
    unsigned seed = 0;
    for (;; ++seed) {
        session.world.random.seed(seed);
        if (session.world.random.nextInt() % 10 == 0)
            break;
    }
    session.world.random.seed(seed);
    stage.update(130);
    EXPECT_EQ(stage.kind(EnemyType::Swayer).count(), 1);
    EXPECT_EQ(stage.kind(EnemyType::Runner).count(), 1);
    EXPECT_EQ(stage.spawnTimer(), 49);
}

TEST_F(EnemyTest, APeriodChangeWaitsForTheNextReload)
{
    stage.update(150);
    ASSERT_EQ(stage.spawnTimer(), 59);
    for (int i = 0; i < 59; ++i)
        stage.update(149);
    EXPECT_EQ(stage.spawnTimer(), 0);
    EXPECT_EQ(stage.enemyCount(), 1);
    stage.update(149);
    EXPECT_EQ(stage.spawnTimer(), 49);
    EXPECT_EQ(stage.enemyCount(), 2);
    // A round's clear keeps the timer running.
    stage.clear();
    EXPECT_EQ(stage.enemyCount(), 0);
    EXPECT_EQ(stage.spawnTimer(), 49);
}

namespace {

// In a folder of its own: a round that ends leaves its replay under data/.
class GameSceneTest : public SimTest {
protected:
    GameSceneTest()
    {
        scene.initialize(&system, &number);
        scene.enter();
    }
    // One step; the clock moves a whole second when asked, so rounds run short.
    void step(bool fastClock = false)
    {
        if (fastClock)
            sim.advanceClock(1000);
        scene.update();
        sim.endStep();
    }
    void runOut()
    {
        while (scene.endKind() == EndKind::Playing)
            step(true);
    }
    void toResults()
    {
        while (scene.resultPhase() == 0)
            step();
    }
    // To the results and clicked past them: the round is handed over and kept.
    void playToTheEnd()
    {
        runOut();
        toResults();
        sim.press(platform::Key::LeftButton);
        while (number == kGameScene)
            step();
        sim.release(platform::Key::LeftButton);
    }

    TemporaryFolder folder;
    int number = kGameScene;
    GameScene scene{session};
};

}  // namespace

TEST_F(GameSceneTest, TimeOverAtFullHealthGivesTheWholeClearBonus)
{
    runOut();
    EXPECT_EQ(scene.endKind(), EndKind::TimeUp);
    EXPECT_EQ(scene.panel().timeLeft(), 0);
    toResults();
    EXPECT_EQ(scene.clearBonus(), 150000);
    EXPECT_EQ(scene.comboBonus(), 0);
    EXPECT_EQ(scene.total(), scene.panel().score() + 150000);
}

// Nobody defends the base and the clock stands still: the enemies bring it down.
TEST_F(GameSceneTest, AnUndefendedBaseFallsAndExplodesInTwentyThreeFlashesBeforeTheResults)
{
    for (int i = 0; i < 20000 && scene.base().hitPoints() > 0; ++i)
        step();
    ASSERT_EQ(scene.base().hitPoints(), 0);
    ASSERT_EQ(scene.endKind(), EndKind::Playing);
    step();
    EXPECT_EQ(scene.endKind(), EndKind::BaseDestroyed);
    for (int i = 0; i < 179; ++i)
        step();
    EXPECT_EQ(scene.flashes().flashes().size(), 23u);
    EXPECT_EQ(scene.resultPhase(), 0);
    for (const FlashEffect::Flash& f : scene.flashes().flashes()) {
        EXPECT_LE(std::fabs(f.x - 320), 64);
        EXPECT_LE(std::fabs(f.y - 240), 64);
        EXPECT_EQ(f.life, 0);
    }
    toResults();
    EXPECT_EQ(scene.clearBonus(), 0);
}

TEST_F(GameSceneTest, AButtonHeldThroughTheResultsWaitsForTheFullFadeIn)
{
    runOut();
    toResults();
    sim.press(platform::Key::LeftButton);
    int shown = 0;
    while (scene.resultPhase() == 1) {
        step();
        ++shown;
    }
    EXPECT_EQ(shown, 255);
    while (number == kGameScene)
        step();
    EXPECT_EQ(number, kNameEntryScene);
    EXPECT_EQ(session.result.score(), scene.total());
}

// The next round starts from the world the last one left, and its replay carries that
// world: a round played again elsewhere must start where this one did.
TEST_F(GameSceneTest, TheNextRoundStartsFromTheWorldTheLastOneLeftAndItsReplaySaysSo)
{
    playToTheEnd();
    const std::uint32_t random = session.world.random.state();
    const int wanderers = session.world.wandererSteps;
    const int spawn = scene.stage().spawnTimer();
    ASSERT_NE(random, Random().state()) << "the first round drew nothing";
    number = kGameScene;
    scene.enter();
    playToTheEnd();
    Replay second;
    std::string error;
    ASSERT_TRUE(Replay::readFile(ReplayStore::path(ReplayStore::numbers().back()), second, error)) << error;
    EXPECT_EQ(second.carry.randomState, random);
    EXPECT_EQ(second.carry.wandererCounter, wanderers);
    EXPECT_EQ(second.carry.spawnTimer, spawn);
}

// Whoever sees the ranking scene after a name entry (the page sends the replay then)
// must find the round's replay named: the name goes in at the step that hands over.
TEST_F(GameSceneTest, TheStepThatEndsTheNameEntryNamesTheRoundsReplay)
{
    playToTheEnd();
    NameEntryScene entry{session};
    int entryNumber = kNameEntryScene;
    entry.initialize(&system, &entryNumber);
    entry.enter();
    const auto step = [&](platform::Point at, bool down) {
        sim.movePointer(at);
        down ? sim.press(platform::Key::LeftButton) : sim.release(platform::Key::LeftButton);
        entry.update();
        sim.endStep();
    };
    const platform::Point letterA{86, 150};
    const platform::Point ok{320, 415};
    for (int i = 0; i < 128; ++i)
        step(letterA, false);
    step(letterA, true);
    step(letterA, false);
    for (int i = 0; i < 128 && entryNumber == kNameEntryScene; ++i)
        step(ok, true);
    ASSERT_EQ(entryNumber, kRankingScene);
    Replay kept;
    std::string error;
    ASSERT_TRUE(Replay::readFile(ReplayStore::path(ReplayStore::numbers().back()), kept, error)) << error;
    EXPECT_STREQ(kept.result.name, "A       ");
}

// A round whose results wait longer than a replay may last is not kept; the name
// typed after it must not land in the replay of the round before.
TEST_F(GameSceneTest, ARoundTooLongToKeepLeavesTheReplayBeforeItAlone)
{
    playToTheEnd();
    ReplayStore& store = session.replays;
    store.nameLastRound("FIRST");
    number = kGameScene;
    scene.enter();
    runOut();
    testing::internal::CaptureStderr();
    for (int i = 0; i < Replay::kMaxSteps; ++i)
        step();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("replay not kept"), std::string::npos);
    sim.press(platform::Key::LeftButton);
    while (number == kGameScene)
        step();
    store.nameLastRound("SECOND");
    EXPECT_EQ(ReplayStore::numbers(), std::vector<int>{1});
    Replay first;
    std::string error;
    ASSERT_TRUE(Replay::readFile(ReplayStore::path(1), first, error)) << error;
    EXPECT_STREQ(first.result.name, "FIRST");
}

TEST_F(GameSceneTest, ResultNumbersAlwaysShowEightDigits)
{
    runOut();
    toResults();
    drawn();
    scene.draw();
    int totalDigits = 0;
    for (const auto& fan : drawn())
        if (fan.vertices[0].y == 320 && fan.vertices[0].x >= 400)
            ++totalDigits;
    EXPECT_EQ(totalDigits, 8);
}
