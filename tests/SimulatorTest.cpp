#include "TestSupport.h"
#include "replay/Replay.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>

namespace {

struct SimRun {
    int status;
    std::string out;
    std::vector<std::map<std::string, std::string>> states;
};

// Runs tessaro-sim on a script in the current folder.
SimRun simulate(const std::string& script)
{
    {
        std::FILE* file = std::fopen("script.sim", "w");
        std::fputs(script.c_str(), file);
        std::fclose(file);
    }
    SimRun run{0, {}, {}};
    std::FILE* pipe = popen(TESSARO_SIM " script.sim 2>&1", "r");
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        run.out += buffer;
    run.status = pclose(pipe);
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("step=", 0) != 0)
            continue;
        std::map<std::string, std::string> state;
        // Values are single words, but for the name in double quotes.
        for (std::size_t at = 0; at < line.size();) {
            const std::size_t equals = line.find('=', at);
            if (equals == std::string::npos)
                break;
            const bool quoted = line[equals + 1] == '"';
            const std::size_t end = quoted ? line.find('"', equals + 2) + 1 : line.find(' ', equals);
            state[line.substr(at, equals - at)] = line.substr(equals + 1, end - equals - 1);
            at = end == std::string::npos ? line.size() : end + 1;
        }
        run.states.push_back(state);
    }
    return run;
}

const char* const kToRound = "click 300 260\nsteps 2\nclick 300 380\nuntil scene 4\n";

// Grabs the resting bomb and flings it toward (x, y), then lets it fly.
std::string fling(int x, int y)
{
    return "move 320 240\ndown\nsteps 1\nmove " + std::to_string(x) + " " + std::to_string(y)
           + "\nsteps 1\nup\nsteps 400\n";
}

class SimulatorTest : public ::testing::Test {
protected:
    TemporaryFolder folder;
};

}  // namespace

TEST_F(SimulatorTest, StepsAndAPictureOfTheTitle)
{
    const SimRun run = simulate("steps 100\nshot out.png\nstate\n");
    ASSERT_EQ(run.status, 0) << run.out;
    ASSERT_EQ(run.states.size(), 1u);
    EXPECT_EQ(run.states[0].at("step"), "100");
    EXPECT_EQ(run.states[0].at("scene"), "0");
    EXPECT_EQ(run.states[0].at("result_name"), "\"\"");
    const std::string png = folder.read("out.png");
    ASSERT_GT(png.size(), 24u);
    // Width and height from the PNG header.
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\x02\x80\0\0\x01\xe0", 8));
}

TEST_F(SimulatorTest, BadScriptsFailNamingTheLine)
{
    SimRun run = simulate("steps 1\nwobble 3\n");
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.out.find("line 2"), std::string::npos) << run.out;
    run = simulate("until scene 4 max 30\n");
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.out.find("line 1"), std::string::npos) << run.out;
}

TEST_F(SimulatorTest, AProgramThatCannotStartIsAFailureThatSaysWhy)
{
    std::filesystem::remove_all("data");
    std::filesystem::create_directory("data");
    const SimRun run = simulate("steps 1\n");
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.out.find("the game's images are"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("could not start"), std::string::npos) << run.out;
}

TEST_F(SimulatorTest, AnIdleRoundIsLostWithNothingScored)
{
    const SimRun run = simulate(std::string(kToRound) + "state\nseconds 170\nstate\n");
    ASSERT_EQ(run.status, 0) << run.out;
    ASSERT_EQ(run.states.size(), 2u);
    EXPECT_EQ(run.states[0].at("time"), "180");
    EXPECT_EQ(run.states[0].at("bomb_x"), "320.000000");
    EXPECT_EQ(run.states[1].at("end"), "1");
    EXPECT_EQ(run.states[1].at("hp"), "0");
    EXPECT_EQ(run.states[1].at("score"), "0");
    EXPECT_EQ(run.states[1].at("best"), "0");
}

TEST_F(SimulatorTest, FlingingTheBombScoresAndRepeatsExactly)
{
    std::string script = "seed 11\n" + std::string(kToRound) + "seconds 6\n";
    for (int i = 0; i < 12; ++i)
        script += fling(i % 2 == 0 ? 10 : 630, 40 + (i * 37) % 400) + "state\n";
    const SimRun first = simulate(script);
    ASSERT_EQ(first.status, 0) << first.out;
    EXPECT_NE(first.states.back().at("score"), "0");
    EXPECT_EQ(first.states[0].at("flying"), "0");  // at rest again by then
    const SimRun second = simulate(script);
    EXPECT_EQ(first.out, second.out);
}

// From the round's start: lose it, click through the results, type A and B, OK,
// look at the ranking, click, and be back at the title.
const char* const kRestOfTheLoop =
    "seconds 170\ndown\nuntil scene 1\nup\nstate\n"
    "steps 130\nclick 100 165\nsteps 2\nclick 150 165\nsteps 2\nclick 320 415\n"
    "until scene 2\nstate\nsteps 130\nclick 320 240\nuntil scene 0\nstate\n";

void expectOneRankingLine(const SimRun& run, const TemporaryFolder& folder)
{
    ASSERT_EQ(run.status, 0) << run.out;
    ASSERT_GE(run.states.size(), 3u);
    const auto& entered = run.states[run.states.size() - 3];
    const auto& ranked = run.states[run.states.size() - 2];
    EXPECT_EQ(ranked.at("result_name"), "\"AB      \"");
    EXPECT_EQ(ranked.at("pending"), "1");
    EXPECT_EQ(run.states.back().at("scene"), "0");
    EXPECT_EQ(folder.read("data/score.txt"), "AB      ," + entered.at("result_score") + "\r\n");
}

TEST_F(SimulatorTest, TheWholeLoopWritesOneRankingLine)
{
    expectOneRankingLine(simulate(std::string(kToRound) + kRestOfTheLoop), folder);
}

TEST_F(SimulatorTest, YesShowsTheThreePagesBeforeTheRound)
{
    const SimRun run = simulate("click 300 260\nsteps 2\nclick 300 320\nuntil scene 3\nstate\n"
                                "steps 70\nclick 1 1\nsteps 70\nclick 1 1\nsteps 70\nstate\nclick 1 1\n"
                                "until scene 4 max 5\nstate\n" + std::string(kRestOfTheLoop));
    ASSERT_EQ(run.status, 0) << run.out;
    ASSERT_EQ(run.states.size(), 6u);
    EXPECT_EQ(run.states[1].at("scene"), "3");
    EXPECT_EQ(run.states[2].at("scene"), "4");
    EXPECT_EQ(run.states[2].at("time"), "180");
    expectOneRankingLine(run, folder);
}

TEST_F(SimulatorTest, ExitAndEscapeEndTheProgram)
{
    SimRun run = simulate("steps 3\nclick 300 380\nsteps 100\nstate\n");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_TRUE(run.states.empty());
    run = simulate("steps 3\nescape\nstate\n");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_TRUE(run.states.empty());
}

namespace {

// Runs tessaro-verify on files in the current folder.
SimRun verify(const std::string& files)
{
    SimRun run{0, {}, {}};
    std::FILE* pipe = popen((std::string(TESSARO_VERIFY) + " " + files + " 2>&1").c_str(), "r");
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        run.out += buffer;
    run.status = pclose(pipe);
    return run;
}

const char* const kSecondRound = "steps 60\nclick 300 260\nsteps 2\nclick 300 380\nuntil scene 4\n";

}  // namespace

TEST_F(SimulatorTest, ARecordedRoundReplaysWithTheSameStateAtEveryStep)
{
    // Past the end of the round: the results wait for the button held from step 11400.
    constexpr int kSteps = 12100;
    std::string played = "seed 5\n" + std::string(kToRound);
    // Past the first pass, which runs five steps at once, as the played round is.
    std::string replayed = "steps 10\nreplay data/replays/round-000001.tsr\n";
    for (int i = 0; i < kSteps; ++i) {
        const int phase = i % 250;
        if (phase == 20)
            played += "move 320 240\ndown\n";
        else if (phase == 21)
            played += "move " + std::to_string(20 + (i * 7) % 600) + " " + std::to_string(30 + (i * 13) % 420) + "\n";
        else if (phase == 23 && i < 11400)
            played += "up\n";
        played += "steps 1\nstate\n";
        replayed += "steps 1\nstate\n";
    }
    const SimRun first = simulate(played);
    ASSERT_EQ(first.status, 0) << first.out;
    ASSERT_EQ(first.states.back().at("scene"), "1") << "the round did not end";
    const SimRun second = simulate(replayed);
    ASSERT_EQ(second.status, 0) << second.out;
    ASSERT_EQ(first.states.size(), second.states.size());
    for (std::size_t i = 0; i < first.states.size(); ++i) {
        auto a = first.states[i];
        auto b = second.states[i];
        a.erase("step");
        b.erase("step");
        ASSERT_EQ(a, b) << "step " << i + 1 << " of the round";
    }
    EXPECT_NE(first.states[5000].at("score"), "0");
    // Watching a round keeps no replay of its own.
    EXPECT_TRUE(std::filesystem::exists("data/replays/round-000001.tsr"));
    EXPECT_FALSE(std::filesystem::exists("data/replays/round-000002.tsr"));
}

TEST_F(SimulatorTest, TheSecondOfTwoRoundsVerifiesOnItsOwn)
{
    std::string rounds = "seed 9\n" + std::string(kToRound) + "seconds 4\n";
    for (int i = 0; i < 4; ++i)
        rounds += fling(i % 2 == 0 ? 20 : 620, 60 + i * 90);
    rounds += kRestOfTheLoop + std::string(kSecondRound) + "seconds 3\n";
    for (int i = 0; i < 6; ++i)
        rounds += fling(60 + i * 100, i % 2 == 0 ? 20 : 460);
    rounds += kRestOfTheLoop;
    const SimRun run = simulate(rounds);
    ASSERT_EQ(run.status, 0) << run.out;
    const std::string total = run.states[run.states.size() - 2].at("result_score");
    ASSERT_NE(total, "0");
    const SimRun checked = verify("data/replays/round-000002.tsr");
    EXPECT_EQ(checked.status, 0) << checked.out;
    EXPECT_EQ(checked.out, "data/replays/round-000002.tsr: recorded total " + total + ", replayed total " + total
                               + ": agrees\n");
    EXPECT_NE(folder.read("data/score.txt").find("AB      ," + total + "\r\n"), std::string::npos);
    // The name typed afterwards is in the replay.
    Replay second;
    std::string error;
    ASSERT_TRUE(Replay::readFile("data/replays/round-000002.tsr", second, error)) << error;
    EXPECT_STREQ(second.result.name, "AB      ");
}

TEST_F(SimulatorTest, AReplayThatDepartsIsCaughtWhereItStarts)
{
    Replay replay;
    std::string error;
    ASSERT_TRUE(Replay::readFile(TESSARO_DATA_DIR "/../tests/replays/second-round.tsr", replay, error)) << error;
    // The clock jumps a second early at step 3001: the round runs on differently.
    constexpr int kAltered = 3000;
    replay.steps[kAltered].clock[0] += 1000;
    folder.write("altered.tsr", replay.encode());
    const SimRun checked = verify("altered.tsr");
    EXPECT_NE(checked.status, 0);
    const std::size_t by = checked.out.find("by step ");
    ASSERT_NE(by, std::string::npos) << checked.out;
    const int step = std::stoi(checked.out.substr(by + 8));
    EXPECT_GT(step, kAltered);
    EXPECT_LE(step, kAltered + Replay::kChecksumInterval + 1);
}

TEST_F(SimulatorTest, DamagedReplaysAreErrorsThatNameTheFile)
{
    const std::string good = folder.read(TESSARO_DATA_DIR "/../tests/replays/idle-round.tsr");
    folder.write("good.tsr", good);
    folder.write("cut.tsr", good.substr(0, good.size() / 2));
    folder.write("noise.tsr", std::string(5000, '\x81'));
    const SimRun checked = verify("good.tsr cut.tsr noise.tsr missing.tsr");
    EXPECT_NE(checked.status, 0);
    EXPECT_NE(checked.out.find("good.tsr: recorded total 0, replayed total 0: agrees"), std::string::npos);
    for (const char* bad : {"cut.tsr: error", "noise.tsr: error", "missing.tsr: error"})
        EXPECT_NE(checked.out.find(bad), std::string::npos) << checked.out;
    const SimRun run = simulate("replay cut.tsr\nsteps 10\n");
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.out.find("line 1: cut.tsr: damaged"), std::string::npos) << run.out;
}
