#include "replay/Replay.h"
#include "verify/ReplayVerifier.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

// Two recorded rounds verified at the same time on two threads of one process: a
// round that touched anything shared with another would depart from its recording,
// and ThreadSanitizer would name the race.
namespace {

constexpr int kTimes = 40;

Replay load(const char* name)
{
    Replay replay;
    std::string error;
    const std::string file = std::string(TESSARO_REPLAYS) + "/" + name;
    EXPECT_TRUE(Replay::readFile(file, replay, error)) << file << ": " << error;
    return replay;
}

// Verifies the same replay a number of times with one verifier, as a server's worker would.
std::vector<ReplayVerifier::Outcome> verifyRepeatedly(const Replay& replay)
{
    ReplayVerifier verifier;
    std::vector<ReplayVerifier::Outcome> outcomes;
    for (int i = 0; i < kTimes; ++i)
        outcomes.push_back(verifier.verify(replay));
    return outcomes;
}

}  // namespace

TEST(RoundsTogetherTest, TwoRoundsVerifiedAtOnceEachAgreeWithTheirOwnRecording)
{
    const Replay first = load("active-round.tsr");
    const Replay second = load("second-round.tsr");
    ASSERT_NE(first.result.total, second.result.total);
    std::vector<ReplayVerifier::Outcome> firstOutcomes;
    std::vector<ReplayVerifier::Outcome> secondOutcomes;
    std::thread a([&] { firstOutcomes = verifyRepeatedly(first); });
    std::thread b([&] { secondOutcomes = verifyRepeatedly(second); });
    a.join();
    b.join();
    ASSERT_EQ(firstOutcomes.size(), static_cast<std::size_t>(kTimes));
    ASSERT_EQ(secondOutcomes.size(), static_cast<std::size_t>(kTimes));
    for (int i = 0; i < kTimes; ++i) {
        EXPECT_TRUE(firstOutcomes[i].agrees()) << "time " << i << " departs at " << firstOutcomes[i].departedAt;
        EXPECT_EQ(firstOutcomes[i].replayed.total, first.result.total);
        EXPECT_TRUE(secondOutcomes[i].agrees()) << "time " << i << " departs at " << secondOutcomes[i].departedAt;
        EXPECT_EQ(secondOutcomes[i].replayed.total, second.result.total);
    }
}
