#include "server/RoundJudge.h"
#include "tests/server/RecordedRounds.h"


#include <gtest/gtest.h>

#include <string>

namespace {

class RoundJudgeTest : public testing::Test {
protected:
    RoundJudge::Judgement judge(const std::string& bytes) { return RoundJudge::judge(bytes, verifier_); }
    RoundJudge::Judgement judge(const Replay& replay) { return judge(replay.encode()); }

    ReplayVerifier verifier_;
    const std::string active_ = recorded("active-round.tsr");
};

TEST_F(RoundJudgeTest, RanksEveryRecordedRoundAtItsTotal)
{
    for (const char* name : {"active-round.tsr", "idle-round.tsr", "second-round.tsr", "window-round.tsr"}) {
        const std::string bytes = recorded(name);
        const RoundJudge::Judgement judgement = judge(bytes);
        EXPECT_EQ(judgement.verdict, RoundJudge::Verdict::Verified) << name << ": " << judgement.reason;
        EXPECT_EQ(judgement.round.total, decoded(bytes).result.total) << name;
        EXPECT_EQ(judgement.round.replay, bytes);
        EXPECT_EQ(judgement.round.sha256.size(), 64u);
    }
}

TEST_F(RoundJudgeTest, RefusesForgedRoundsWithTheirReason)
{
    // A drag's pointer, a little to the side, halfway through the round.
    Replay moved = decoded(active_);
    std::size_t drag = moved.steps.size() / 2;
    while (!moved.steps[drag].button)
        ++drag;
    moved.steps[drag].pointer.x += 40;
    EXPECT_EQ(judge(moved).reason, "it departs from its recording at 1:05");

    Replay raised = decoded(active_);
    raised.result.total += 1000;
    const RoundJudge::Judgement claim = judge(raised);
    EXPECT_EQ(claim.reason, "it claims a total of 38150, but played again it comes to 37150");

    Replay named = decoded(active_);
    named.setName("ace");
    EXPECT_EQ(judge(named).verdict, RoundJudge::Verdict::Refused);
    named.setName("ABCDEFGHI");
    EXPECT_NE(judge(named).reason.find("name entry cannot type"), std::string::npos);

    // Each step's clock 12 ms after the one before: a round a quarter longer than its clock.
    Replay slowed = decoded(active_);
    for (std::size_t i = 0; i < slowed.steps.size(); ++i)
        for (int r = 0; r < slowed.steps[i].clockReads; ++r)
            slowed.steps[i].clock[r] = static_cast<std::uint32_t>(1000 + 12 * i);
    EXPECT_EQ(judge(slowed).reason, "its clock runs slower than its steps from 0:00");
}

TEST_F(RoundJudgeTest, SortsWhatIsNoRoundOfThisGame)
{
    Replay older = decoded(active_);
    older.gameVersion = "0.9";
    const RoundJudge::Judgement version = judge(older);
    EXPECT_EQ(version.verdict, RoundJudge::Verdict::OtherVersion);
    EXPECT_EQ(version.reason, "this replay was recorded by version 0.9 of the game; this server ranks version 1.0");

    EXPECT_EQ(judge(std::string("GIF89a")).verdict, RoundJudge::Verdict::NotAReplay);
    EXPECT_EQ(judge(active_.substr(0, active_.size() - 1)).verdict, RoundJudge::Verdict::NotAReplay);

    Replay endless = decoded(active_);
    endless.steps.resize(RoundJudge::kMaxSteps + 1, endless.steps.back());
    endless.checksums.resize(endless.steps.size() / Replay::kChecksumInterval);
    EXPECT_NE(judge(endless).reason.find("longer than a round"), std::string::npos);
}

TEST(RoundJudgeTime, ReadsAsMinutesAndSeconds)
{
    EXPECT_EQ(RoundJudge::timeOfStep(0), "0:00");
    EXPECT_EQ(RoundJudge::timeOfStep(2625), "0:42");
    EXPECT_EQ(RoundJudge::timeOfStep(11250), "3:00");
}

}  // namespace
