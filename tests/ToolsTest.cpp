#include "TestSupport.h"
#include "tools/Base.h"
#include "tools/Bomb.h"
#include "tools/ComboCounter.h"
#include "tools/Cursor.h"
#include "tools/FlashEffect.h"
#include "tools/HpGauge.h"
#include "tools/InfoPanel.h"

namespace {

class ToolsTest : public SimTest {
protected:
    ToolsTest() { bomb.initialize(&system, window); bomb.reset(320, 240); }

    // One step with the pointer at (x, y) and the button as given.
    void step(int x, int y, bool down)
    {
        sim.movePointer({x, y});
        if (down)
            sim.press(platform::Key::LeftButton);
        else
            sim.release(platform::Key::LeftButton);
        bomb.update(player);
        sim.endStep();
    }
    void release() { step(sim.pointer(window).x, sim.pointer(window).y, false); }

    Bomb bomb;
};

}  // namespace

TEST_F(ToolsTest, CursorClampsToTheWindowAndPinsTheSystemPointer)
{
    Cursor cursor;
    cursor.initialize(&system, window);
    sim.movePointer({700, -20});
    cursor.updateAndDraw();
    EXPECT_EQ(sim.pointer(window), (platform::Point{640, 0}));
    EXPECT_EQ(sim.pointerMoves(), 1);
    // A pointer that did not move is not put back again.
    cursor.updateAndDraw();
    EXPECT_EQ(sim.pointerMoves(), 1);
    const auto fans = drawn();
    ASSERT_EQ(fans.size(), 2u);
    EXPECT_FLOAT_EQ(fans[0].vertices[0].x, 640);
    EXPECT_FLOAT_EQ(fans[0].vertices[0].y, 0);
    EXPECT_FLOAT_EQ(fans[0].vertices[2].x, 704);
    // The opposite corner is inside too: (640, 480), not a pixel short.
    sim.movePointer({-5, 500});
    cursor.updateAndDraw();
    EXPECT_EQ(sim.pointer(window), (platform::Point{0, 480}));
}

TEST_F(ToolsTest, ComboLapsesAfterItsTimeoutAndKeepsTheBest)
{
    ComboCounter combo;
    combo.initialize(&system);
    EXPECT_EQ(combo.multiplierCount(), 1);
    combo.addHits(1);
    EXPECT_EQ(combo.multiplierCount(), 1);
    combo.addHits(2);
    for (int i = 0; i < 178; ++i)
        combo.addHits(0);
    EXPECT_EQ(combo.count(), 3);
    combo.addHits(0);
    EXPECT_EQ(combo.count(), 0);
    EXPECT_EQ(combo.maxCombo(), 3);
    EXPECT_EQ(combo.multiplied(100), 100);
    // The step that brings the count to ten already scores double.
    combo.addHits(10);
    EXPECT_EQ(combo.multiplied(1000), 2000);
    combo.addHits(9);
    EXPECT_EQ(combo.count(), 19);
    EXPECT_EQ(combo.multiplied(150), 300);
    combo.addHits(1);
    EXPECT_EQ(combo.multiplied(150), 450);
    combo.reset();
    EXPECT_EQ(combo.maxCombo(), 0);
}

TEST_F(ToolsTest, ComboShowsItsCountFadingWithTheTimeLeft)
{
    ComboCounter combo;
    combo.initialize(&system);
    combo.addHits(1234);
    drawn();
    combo.draw();
    const auto fans = drawn();
    // "COMBO", four digits, "HIT": all digits shown, at alpha 253.
    ASSERT_EQ(fans.size(), 5u + 4u + 3u);
    EXPECT_EQ(fans[0].vertices[0].diffuse >> 24, 253u);
    EXPECT_FLOAT_EQ(fans[5].vertices[0].y, 152);
    EXPECT_FLOAT_EQ(fans[9].vertices[0].x, 80);
}

TEST_F(ToolsTest, BombIsGrabbedWithinThirtyTwoPixels)
{
    step(353, 240, true);
    EXPECT_EQ(bomb.isGrabbed(), 0);
    release();
    step(352, 240, true);
    EXPECT_EQ(bomb.isGrabbed(), 1);
    // Dragged, it keeps the offset and stays inside the field.
    step(700, 240, true);
    EXPECT_DOUBLE_EQ(bomb.x(), 640);
    step(400, 300, true);
    EXPECT_DOUBLE_EQ(bomb.x(), 368);
    EXPECT_DOUBLE_EQ(bomb.y(), 300);
    EXPECT_EQ(bomb.isFlying(), 0);
}

TEST_F(ToolsTest, ReleasedBombFliesOnItsSpring)
{
    step(320, 240, true);
    step(600, 240, true);
    step(600, 240, false);
    EXPECT_EQ(bomb.isFlying(), 1);
    EXPECT_DOUBLE_EQ(bomb.x(), 600);
    EXPECT_NEAR(bomb.velocityX(), 2.8, 1e-9);
    release();
    EXPECT_NEAR(bomb.x(), 597.2, 1e-9);
    EXPECT_NEAR(bomb.velocityX(), 5.572, 1e-9);
    EXPECT_DOUBLE_EQ(bomb.velocityY(), 0);
    EXPECT_NEAR(bomb.chain().linkX(5), (bomb.x() - 320) * 5 / 6 + 320, 1e-9);
    EXPECT_DOUBLE_EQ(bomb.chain().linkX(0), 320);
}

TEST_F(ToolsTest, BombReleasedOnTheCentreRestsAtOnce)
{
    step(320, 240, true);
    step(320, 240, false);
    release();
    EXPECT_EQ(bomb.isFlying(), 0);
}

TEST_F(ToolsTest, BombFlungPastAnEdgeComesBackUnclamped)
{
    step(320, 240, true);
    step(0, 240, true);
    step(0, 240, false);
    double least = 1e9;
    for (int i = 0; i < 200; ++i) {
        release();
        least = std::min(least, bomb.x());
    }
    EXPECT_LT(least, -1);
    EXPECT_GT(bomb.x(), 0);
}

TEST_F(ToolsTest, BombFlightStopsWhenCaughtAndIgnoresAButtonHeldAway)
{
    step(320, 240, true);
    step(600, 240, true);
    step(600, 240, false);
    for (int i = 0; i < 5; ++i)
        step(100, 100, true);
    EXPECT_EQ(bomb.isFlying(), 1);
    EXPECT_EQ(bomb.isGrabbed(), 0);
    const double x = bomb.x();
    step(static_cast<int>(x), 240, true);
    EXPECT_EQ(bomb.isGrabbed(), 1);
    EXPECT_EQ(bomb.isFlying(), 0);
}

TEST_F(ToolsTest, BombComesToRestNearTheCentre)
{
    step(320, 240, true);
    step(500, 400, true);
    step(500, 400, false);
    int steps = 0;
    while (bomb.isFlying() == 1 && steps < 5000) {
        release();
        ++steps;
    }
    EXPECT_LT(steps, 5000);
    EXPECT_LE((bomb.x() - 320) * (bomb.x() - 320) + (bomb.y() - 240) * (bomb.y() - 240), 1);
}

TEST_F(ToolsTest, BaseLosesThreeAHitAndTurnsADegreeAStep)
{
    Base base;
    base.initialize(&system, window);
    base.reset(320, 240);
    for (int i = 0; i < 33; ++i)
        base.damage();
    EXPECT_EQ(base.hitPoints(), 1);
    base.damage();
    base.damage();
    EXPECT_EQ(base.hitPoints(), 0);
    for (int i = 0; i < 359; ++i)
        base.update();
    EXPECT_EQ(base.angle(), 359);
    base.update();
    EXPECT_EQ(base.angle(), 0);
}

TEST_F(ToolsTest, BaseFlashesRedWithLinearFilteringWhileDrawn)
{
    Base base;
    base.initialize(&system, window);
    base.reset(320, 240);
    base.damage();
    drawn();
    base.draw();
    auto fans = drawn();
    ASSERT_EQ(fans.size(), 2u);
    EXPECT_EQ(fans[0].state.magFilter, Filter::Linear);
    EXPECT_EQ(fans[1].vertices[0].diffuse, 0xFFFF0000u);
    EXPECT_EQ(device().state().magFilter, Filter::Point);
    for (int i = 0; i < 20; ++i)
        base.update();
    base.draw();
    EXPECT_EQ(drawn().size(), 1u);
}

TEST_F(ToolsTest, GaugeFollowsOnePointAStepAndWarnsAtThirty)
{
    HpGauge gauge;
    gauge.initialize(&system);
    gauge.reset();
    gauge.draw(500, 390, 97);
    std::vector<int> shown;
    for (int i = 0; i < 4; ++i) {
        shown.push_back(gauge.shown());
        gauge.update();
    }
    EXPECT_EQ(shown, (std::vector<int>{100, 99, 98, 97}));
    gauge.reset();
    gauge.draw(500, 390, 31);
    for (int i = 0; i < 69; ++i)
        gauge.update();
    drawn();
    gauge.draw(500, 390, 31);
    EXPECT_EQ(drawn().size(), 2u + 2u);  // frame, bar, "HP"
    gauge.draw(500, 390, 30);
    gauge.update();
    drawn();
    gauge.draw(500, 390, 30);
    const auto fans = drawn();
    ASSERT_EQ(fans.size(), 3u + 2u);
    // The bar is cut, not scaled: 30 points keep 36 of its 118 pixels.
    EXPECT_FLOAT_EQ(fans[1].vertices[1].x - fans[1].vertices[0].x, 36);
    EXPECT_FLOAT_EQ(fans[1].vertices[1].u * 128, 41);
    EXPECT_FLOAT_EQ(fans[2].vertices[0].v * 128, 33);
    EXPECT_FLOAT_EQ(fans[3].vertices[0].x, 436);
}

TEST_F(ToolsTest, PanelRollsPointsInByPowersOfTen)
{
    InfoPanel panel;
    panel.initialize(&system, window);
    panel.reset(player);
    const auto rolls = [&panel, this](int points, int steps) {
        panel.addScore(points);
        std::vector<int> scores;
        for (int i = 0; i < steps; ++i) {
            const int before = panel.score();
            panel.update(player);
            scores.push_back(panel.score() - before);
        }
        return scores;
    };
    EXPECT_EQ(rolls(100, 10), std::vector<int>(10, 10));
    EXPECT_EQ(rolls(250, 7), (std::vector<int>{100, 100, 10, 10, 10, 10, 10}));
    EXPECT_EQ(panel.pending(), 0);
    EXPECT_EQ(rolls(5, 1), std::vector<int>{10});
    EXPECT_EQ(panel.pending(), -5);
    panel.addScore(6);
    panel.update(player);
    panel.update(player);
    EXPECT_EQ(panel.pending(), 1);
    const int score = panel.score();
    panel.update(player);
    EXPECT_EQ(panel.score(), score);
}

TEST_F(ToolsTest, PanelScoreStopsAtTheCapAndKeepsNoExcess)
{
    InfoPanel panel;
    panel.initialize(&system, window);
    panel.reset(player);
    panel.addScore(99999990);
    for (int i = 0; i < 200 && panel.pending() > 0; ++i)
        panel.update(player);
    ASSERT_EQ(panel.score(), 99999990);
    panel.addScore(100);
    panel.update(player);
    EXPECT_EQ(panel.score(), InfoPanel::kMaxScore);
    EXPECT_EQ(panel.pending(), 90);
}

TEST_F(ToolsTest, PanelClockTakesOffOneSecondAStepAtMost)
{
    InfoPanel panel;
    panel.initialize(&system, window);
    panel.reset(player);
    sim.advanceClock(999);
    panel.update(player);
    EXPECT_EQ(panel.timeLeft(), 180);
    sim.advanceClock(5000);
    panel.update(player);
    panel.update(player);
    EXPECT_EQ(panel.timeLeft(), 179);
    drawn();
    panel.draw();
    const auto fans = drawn();
    // The band, eight digits, "SCORE", three digits, "TIME".
    ASSERT_EQ(fans.size(), 1u + 8u + 5u + 3u + 4u);
    EXPECT_EQ(fans[0].vertices[0].diffuse, 0xC0000000u);
    EXPECT_FLOAT_EQ(fans[0].vertices[0].y, 430);
    EXPECT_FLOAT_EQ(fans[1].vertices[0].x, 420);
    EXPECT_FLOAT_EQ(fans[14].vertices[0].x, 140);
}

TEST_F(ToolsTest, FlashGrowsAndFadesUnderAdditiveBlending)
{
    FlashEffect flashes;
    flashes.initialize(&system, &session.world.random);
    flashes.spawn(320, 240);
    for (int i = 0; i < 30; ++i)
        flashes.update();
    drawn();
    flashes.draw();
    const auto fans = drawn();
    ASSERT_EQ(fans.size(), 1u);
    EXPECT_EQ(fans[0].vertices[0].diffuse, 0xFF7F7F7Fu);
    EXPECT_EQ(fans[0].state.destBlend, Blend::One);
    const int size = flashes.flashes()[0].size;
    EXPECT_GE(size, 128);
    EXPECT_LE(size, 511);
    EXPECT_NEAR(fans[0].vertices[2].x - fans[0].vertices[0].x, size / 2.0, 1e-3);
    for (int i = 0; i < 40; ++i)
        flashes.update();
    EXPECT_EQ(flashes.flashes()[0].life, 0);
    flashes.clear();
    flashes.draw();
    EXPECT_TRUE(drawn().empty());
}
