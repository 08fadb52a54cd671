#include "TestSupport.h"
#include "scenes/SceneManager.h"
#include "scenes/SharedResult.h"

namespace {

class SceneManagerTest : public SimTest {
protected:
    void start(int scenes = kSceneCount)
    {
        factory = std::make_unique<ProbeFactory>(scenes);
        manager.initialize(&system, *factory, session);
    }
    // Runs steps as one pass of the main loop does, then draws.
    void pass(int steps)
    {
        for (int i = 0; i < steps; ++i)
            manager.update();
        manager.draw();
    }
    std::vector<std::string>& log() { return factory->log; }

    std::unique_ptr<ProbeFactory> factory;
    SceneManager manager;
};

using Log = std::vector<std::string>;

}  // namespace

TEST_F(SceneManagerTest, TheFirstStepEntersTheTitleThenUpdatesIt)
{
    start();
    pass(1);
    EXPECT_EQ(log(), (Log{"enter 0", "update 0", "draw 0"}));
    EXPECT_EQ(device().presents(), 1);
}

TEST_F(SceneManagerTest, ASwitchInTheFirstStepEntersTheNewSceneInTheSecond)
{
    start();
    factory->probe(0)->onUpdate = [](int& number) {
        number = kGameScene;
        return 0;
    };
    pass(3);
    EXPECT_EQ(log(), (Log{"enter 0", "update 0", "enter 4", "update 4", "update 4", "draw 4"}));
}

TEST_F(SceneManagerTest, ASwitchInTheLastStepPresentsAFrameWithNoScene)
{
    start();
    factory->probe(0)->onUpdate = [](int& number) {
        number = kRankingScene;
        return 0;
    };
    pass(1);
    EXPECT_EQ(log(), (Log{"enter 0", "update 0"}));
    EXPECT_EQ(device().presents(), 1);
    EXPECT_EQ(device().scenesBegun(), 1);
}

TEST_F(SceneManagerTest, ASceneThatWritesItsOwnNumberIsNotEnteredAgain)
{
    start();
    factory->probe(0)->onUpdate = [](int& number) {
        number = kTitleScene;
        return 0;
    };
    pass(2);
    EXPECT_EQ(log(), (Log{"enter 0", "update 0", "update 0", "draw 0"}));
}

TEST_F(SceneManagerTest, AnUpdateAskingToEndIsPassedOn)
{
    start();
    factory->probe(0)->onUpdate = [](int&) { return 7; };
    EXPECT_EQ(manager.update(), 1);
}

TEST_F(SceneManagerTest, ANumberWithoutASceneRunsNothing)
{
    start(2);
    factory->probe(1)->onUpdate = [](int& number) {
        number = kGameScene;
        return 0;
    };
    factory->probe(0)->onUpdate = [](int& number) {
        number = kNameEntryScene;
        return 0;
    };
    pass(4);
    EXPECT_EQ(log(), (Log{"enter 0", "update 0", "enter 1", "update 1"}));
    EXPECT_EQ(manager.currentScene(), kGameScene);
    EXPECT_EQ(device().presents(), 1);
}

TEST_F(SceneManagerTest, AFailedPresentIsAnsweredByOneResetAFrame)
{
    start();
    device().failPresents(2);
    pass(1);
    pass(1);
    pass(1);
    EXPECT_EQ(device().resets(), 2);
}

TEST(SharedResultTest, NamesAreCutToFifteenCharacters)
{
    SharedResult result;
    result.setName("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_STREQ(result.name(), "ABCDEFGHIJKLMNO");
}
