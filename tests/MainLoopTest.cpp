#include "TestSupport.h"
#include "app/Application.h"
#include "app/MainLoop.h"

#include <algorithm>
#include <cstdint>

namespace {

// The real loop on the virtual clock. Each pass, the hook notes how many steps the
// pass before ran and then moves the clock by the next planned amount.
class MainLoopTest : public ::testing::Test {
protected:
    explicit MainLoopTest(std::uint32_t clockStart = 1000000) : sim(clockStart)
    {
        window.create(640, 480, "Tessaro");
        application.initialize(sim, window.windowHandle(), factory);
        sim.setSleepHook([this](std::uint32_t ms) { sleeps.push_back(ms); });
    }

    // Runs the loop with these clock moves, one per pass, then closes the window.
    void run(std::vector<std::uint32_t> advances)
    {
        std::size_t pass = 0;
        int before = 0;
        sim.setPassHook([&, advances] {
            if (pass > 0)
                stepsPerPass.push_back(sim.steps() - before);
            before = sim.steps();
            if (pass < advances.size())
                sim.advanceClock(advances[pass]);
            else
                sim.postClose();
            ++pass;
        });
        MainLoop(sim).run(application, window);
    }

    int count(const std::string& entry) const
    {
        return static_cast<int>(std::count(factory.log.begin(), factory.log.end(), entry));
    }

    platform::SimPlatform sim;
    MainWindow window{sim};
    ProbeFactory factory;
    Application application;
    std::vector<std::uint32_t> sleeps;
    std::vector<int> stepsPerPass;
};

class WrappingClockTest : public MainLoopTest {
protected:
    WrappingClockTest() : MainLoopTest(0xFFFFFFFFu - 20) {}
};

}  // namespace

TEST_F(MainLoopTest, FirstPassRunsFiveStepsThenDraws)
{
    run({0});
    ASSERT_GE(factory.log.size(), 7u);
    EXPECT_EQ(factory.log[0], "enter 0");
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(factory.log[i], "update 0");
    EXPECT_EQ(factory.log[6], "draw 0");
    EXPECT_EQ(sim.questionsAsked(), 1);
    EXPECT_EQ(sim.pointerHides(), 1);
}

TEST_F(MainLoopTest, StepsFollowTheClockWithCatchUpAndCarry)
{
    // Pass 2: 10 ms passed, so it sleeps 6 and the reference becomes the time after
    // the sleep. Pass 3: 40 ms, two steps, 8 carried. Pass 4: those 8, so it sleeps
    // 8. Pass 5: 200 ms, five steps and the rest dropped. Pass 6: nothing passed.
    run({0, 10, 40, 0, 200, 0});
    ASSERT_GE(stepsPerPass.size(), 6u);
    EXPECT_EQ(std::vector<int>(stepsPerPass.begin(), stepsPerPass.begin() + 6),
              (std::vector<int>{5, 1, 2, 1, 5, 1}));
    EXPECT_EQ(sleeps, (std::vector<std::uint32_t>{6, 8, 16}));
}

TEST_F(MainLoopTest, ExactlyFiveDueStepsKeepTheirCarry)
{
    // Pass 3: 85 ms, five steps and 5 carried, not dropped: so 11 ms later a step
    // is due at once, without a sleep.
    run({0, 10, 85, 11, 0});
    ASSERT_GE(stepsPerPass.size(), 5u);
    EXPECT_EQ(std::vector<int>(stepsPerPass.begin(), stepsPerPass.begin() + 5), (std::vector<int>{5, 1, 5, 1, 1}));
    EXPECT_EQ(sleeps, (std::vector<std::uint32_t>{6, 16}));
}

TEST_F(WrappingClockTest, ElapsedTimeStaysRightAcrossTheWrap)
{
    // The first pass sets the reference just below 2^32; 40 ms later the counter
    // has wrapped to a small number.
    run({0, 40, 0});
    ASSERT_GE(stepsPerPass.size(), 3u);
    EXPECT_EQ(stepsPerPass[1], 2);
    EXPECT_EQ(stepsPerPass[2], 1);
    EXPECT_EQ(sleeps, (std::vector<std::uint32_t>{8}));
}

TEST_F(MainLoopTest, AnUpdateThatEndsSkipsTheRestOfThePassAndTheDraw)
{
    // Five steps in the first pass, then 48 ms: three due, and the second of them ends.
    int updates = 0;
    factory.probe(0)->onUpdate = [&updates](int&) { return ++updates == 7 ? 1 : 0; };
    run({0, 48, 0});
    EXPECT_EQ(updates, 7);
    EXPECT_EQ(count("draw 0"), 1);
}

TEST_F(MainLoopTest, APassThatTakesAMessageRunsNoStep)
{
    int pass = 0;
    std::vector<int> steps;
    sim.setPassHook([&] {
        steps.push_back(sim.steps());
        if (pass == 1)
            sim.postMessage();
        if (++pass == 4)
            sim.postClose();
    });
    MainLoop(sim).run(application, window);
    // Pass 0 ran 5 steps, pass 1 took the message, pass 2 ran one step.
    EXPECT_EQ(steps, (std::vector<int>{0, 5, 5, 6}));
}

TEST_F(MainLoopTest, EscapeEndsTheLoopAfterThePassThatSeesIt)
{
    int passes = 0;
    sim.setPassHook([&] {
        if (++passes == 3) {
            sim.postMessage();
            sim.press(platform::Key::Escape);
        }
    });
    MainLoop(sim).run(application, window);
    EXPECT_EQ(passes, 3);
    EXPECT_EQ(sim.steps(), 6);
}

TEST_F(MainLoopTest, ClosingTheWindowSetsTheQuitFlagDuringThatPass)
{
    int passes = 0;
    sim.setPassHook([&] {
        if (++passes == 2)
            sim.postClose();
    });
    MainLoop(sim).run(application, window);
    EXPECT_EQ(passes, 2);
    EXPECT_EQ(window.quitRequested(), 1);
    EXPECT_FALSE(sim.windowOpen());
}

TEST_F(MainLoopTest, AQuickClickBetweenStepsStillReadsDownForOneStep)
{
    std::vector<bool> seen;
    factory.probe(0)->onUpdate = [this, &seen](int&) {
        seen.push_back(sim.isDown(platform::Key::LeftButton));
        return 0;
    };
    int pass = 0;
    sim.setPassHook([&] {
        if (pass == 1) {
            sim.press(platform::Key::LeftButton);
            sim.release(platform::Key::LeftButton);
        }
        if (++pass == 4)
            sim.postClose();
    });
    MainLoop(sim).run(application, window);
    EXPECT_EQ(seen, (std::vector<bool>{false, false, false, false, false, true, false}));
}
