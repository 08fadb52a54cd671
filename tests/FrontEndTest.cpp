#include "TestSupport.h"
#include "scenes/IntroScene.h"
#include "scenes/NameEntryScene.h"
#include "scenes/RankingScene.h"
#include "scenes/TitleScene.h"

#include <cmath>
#include <type_traits>

namespace {

// A scene on the test's session, for the scenes that share one.
template <class S>
S sceneOn(Session& session)
{
    if constexpr (std::is_constructible_v<S, Session&>)
        return S(session);
    else
        return S();
}

// A scene driven step by step, with the pointer and button set before each step.
template <class S>
class SceneTest : public SimTest {
protected:
    SceneTest()
    {
        scene.initialize(&system, &number);
        scene.enter();
    }
    int step(int x, int y, bool down)
    {
        sim.movePointer({x, y});
        down ? sim.press(platform::Key::LeftButton) : sim.release(platform::Key::LeftButton);
        const int result = scene.update();
        sim.endStep();
        return result;
    }
    void idle(int steps)
    {
        for (int i = 0; i < steps; ++i)
            step(0, 0, false);
    }
    void click(int x, int y)
    {
        step(x, y, true);
        step(x, y, false);
    }

    int number = 0;
    S scene = sceneOn<S>(session);
};

using TitleTest = SceneTest<TitleScene>;
using IntroTest = SceneTest<IntroScene>;
using NameEntryTest = SceneTest<NameEntryScene>;

}  // namespace

TEST_F(TitleTest, MenuBoxesIncludeTheirBoundsAndAreTestedInOrder)
{
    for (auto [x, y, item] : {std::tuple{250, 250, 1}, {370, 282, 1}, {370, 283, 0}, {300, 335, 0}, {230, 320, 2}, {350, 402, 3}}) {
        step(x, y, false);
        EXPECT_EQ(scene.highlighted(), item) << x << "," << y;
    }
    click(250, 250);
    EXPECT_EQ(scene.menuState(), TitleScene::kQuestion);
}

TEST_F(TitleTest, RankingOpensWithNothingPendingAndExitEndsTheProgram)
{
    session.result.setPending(1);
    step(300, 320, true);
    EXPECT_EQ(number, kRankingScene);
    EXPECT_EQ(session.result.pending(), 0);
    scene.enter();
    EXPECT_EQ(step(300, 380, true), 1);
}

TEST_F(TitleTest, AnAnswerFadesToLightYellowThenSwitches)
{
    click(300, 260);
    step(300, 320, true);
    ASSERT_EQ(scene.menuState(), TitleScene::kFading);
    EXPECT_EQ(scene.fadeLevel(), 0);
    int steps = 0;
    while (number == kTitleScene && steps < 1000) {
        step(0, 0, false);
        ++steps;
    }
    EXPECT_EQ(steps, 128);
    EXPECT_EQ(number, kIntroScene);
    scene.enter();
    number = kTitleScene;
    click(300, 260);
    step(300, 380, true);
    idle(128);
    EXPECT_EQ(number, kGameScene);
}

TEST_F(TitleTest, TheTurningBandStartsAtZeroDegrees)
{
    step(0, 0, false);
    drawn();
    scene.draw();
    const auto fans = drawn();
    // Sixteen floaters, the logo, then the turning band.
    ASSERT_GT(fans.size(), 17u);
    EXPECT_EQ(fans[16].vertices[0].x, 125);
    const SpriteVertex& band = fans[17].vertices[0];
    const double a = 0.017453292;  // one step turns it one degree
    EXPECT_NEAR(band.x, 270 - 195 * std::cos(a) + 30 * std::sin(a), 1e-3);
    EXPECT_EQ(fans[17].state.magFilter, Filter::Linear);
    EXPECT_EQ(fans[17].vertices[0].v * 512, 160);
    scene.enter();
    scene.draw();
    EXPECT_FLOAT_EQ(drawn()[17].vertices[0].x, 75);
}

TEST_F(IntroTest, PagesNeedHalfTheirFadeBeforeAClickMovesOn)
{
    for (int i = 0; i < 63; ++i)
        step(0, 0, true);
    EXPECT_EQ(scene.page(), 1);
    step(0, 0, true);
    EXPECT_EQ(scene.page(), 2);
    EXPECT_EQ(scene.fadeLevel(), 0);
    for (int i = 0; i < 64; ++i)
        step(0, 0, true);
    EXPECT_EQ(scene.page(), 3);
    for (int i = 0; i < 64; ++i)
        step(0, 0, true);
    EXPECT_EQ(number, kGameScene);
    scene.enter();
    idle(500);
    EXPECT_EQ(scene.fadeLevel(), 255);
}

TEST_F(NameEntryTest, LettersSpaceAndDeleteEditTheName)
{
    idle(128);
    click(86, 150);
    click(136 + 31, 150 + 31);
    click(186, 150);
    click(436, 290);
    EXPECT_STREQ(scene.name(), "AB      ");
    EXPECT_EQ(scene.position(), 2);
    click(436, 290);
    click(436, 290);
    click(436, 290);
    EXPECT_EQ(scene.position(), 0);
    for (int i = 0; i < 9; ++i)
        click(86 + 50 * 9, 220);  // T
    EXPECT_STREQ(scene.name(), "TTTTTTTT");
    click(436, 290);
    click(386, 290);
    EXPECT_STREQ(scene.name(), "TTTTTTT ");
}

TEST_F(NameEntryTest, PressesDuringTheOpeningFadeAreIgnored)
{
    for (int i = 0; i < 128; ++i)
        step(86, 150, i % 2 == 0);
    EXPECT_EQ(scene.position(), 0);
    step(86, 150, false);
    click(86, 150);
    EXPECT_EQ(scene.position(), 1);
}

TEST_F(NameEntryTest, APressInAGapDoesNothingButIsLatched)
{
    idle(128);
    step(120, 150, true);  // between A and B
    step(86, 150, true);   // slides onto A while held
    EXPECT_EQ(scene.position(), 0);
}

TEST_F(NameEntryTest, OkStoresTheNameAfterTheFadeAndItsLatchOutlivesTheVisit)
{
    idle(128);
    click(86, 150);
    step(320, 415, true);
    EXPECT_TRUE(scene.leaving());
    for (int i = 0; i < 64; ++i)
        step(320, 415, true);
    EXPECT_EQ(number, kRankingScene);
    EXPECT_STREQ(session.result.name(), "A       ");
    EXPECT_EQ(session.result.pending(), 1);
    // Next visit: the press still held from OK is swallowed by the latch.
    scene.enter();
    for (int i = 0; i < 129; ++i)
        step(86, 150, true);
    EXPECT_EQ(scene.position(), 0);
}

namespace {

class RankingTest : public SimTest {
protected:
    RankingTest() { scene.initialize(&system, &number); }
    void run(int steps, bool down)
    {
        down ? sim.press(platform::Key::LeftButton) : sim.release(platform::Key::LeftButton);
        for (int i = 0; i < steps; ++i) {
            scene.update();
            sim.endStep();
        }
    }

    TemporaryFolder folder;
    int number = kRankingScene;
    RankingScene scene{session};
};

}  // namespace

TEST_F(RankingTest, WithNoFileTenEmptyRowsAndAPendingResultMakesTheFile)
{
    SharedResult& result = session.result;
    result.setPending(0);
    scene.enter();
    drawn();
    scene.draw();
    int zeroRows = 0;
    for (const auto& fan : drawn())
        if (fan.vertices[0].x == 400 + 24 * 7)
            ++zeroRows;
    EXPECT_EQ(zeroRows, 10);
    EXPECT_EQ(folder.read("data/score.txt"), "");

    result.setName("AB      ");
    result.setScore(1234);
    result.setPending(1);
    scene.enter();
    EXPECT_EQ(folder.read("data/score.txt"), "AB      ,1234\r\n");
    // Seen from the title, nothing is added.
    result.setPending(0);
    scene.enter();
    EXPECT_EQ(scene.table().count(), 1);
}

TEST_F(RankingTest, AHeldButtonLeavesOnceTheFadeInEnds)
{
    session.result.setPending(0);
    scene.enter();
    run(127, true);
    EXPECT_EQ(number, kRankingScene);
    run(1, true);
    run(127, false);
    EXPECT_EQ(number, kRankingScene);
    run(1, false);
    EXPECT_EQ(number, kTitleScene);
}

TEST_F(RankingTest, ATieWithTheTenthGoesBelowIt)
{
    std::string file;
    for (int i = 0; i < 10; ++i)
        file += "P" + std::to_string(i) + "," + std::to_string(1000 - i * 10) + "\r\n";
    folder.write("data/score.txt", file);
    SharedResult& result = session.result;
    result.setName("NEW");
    result.setScore(910);
    result.setPending(1);
    scene.enter();
    EXPECT_STREQ(scene.table().entry(9).name, "P9");
    EXPECT_STREQ(scene.table().entry(10).name, "NEW");
}
