#include "TestSupport.h"
#include "replay/Checksum.h"
#include "replay/Replay.h"
#include "replay/ReplayStore.h"

#include <filesystem>

namespace {

// Every kind of step record: still runs, moves, presses, late and early clocks,
// steps with a second clock read and steps that read no clock at all.
Replay sample(int steps = 400)
{
    Replay r;
    r.result = {1200, 3000, 150000, 154200, EndKind::TimeUp, "ABC     "};
    r.carry = {0xDEADBEEFu, 7, 30, 128, 1};
    std::uint32_t clock = 4000000000u;  // wraps during the round
    platform::Point pointer{320, 240};
    for (int i = 0; i < steps; ++i) {
        Replay::Step s;
        if (i % 40 > 30)
            pointer = {pointer.x + (i % 7) - 3, pointer.y - 2000 * (i % 2)};
        s.pointer = pointer;
        s.button = (i / 25) % 2 == 1;
        s.clockReads = i > 350 ? 0 : (i == 0 || i % 62 == 0 ? 2 : 1);
        clock += i % 50 == 0 ? 40 : (i % 9 == 0 ? 17 : 16);
        for (int k = 0; k < s.clockReads; ++k)
            s.clock[k] = clock + static_cast<std::uint32_t>(k);
        if (s.clockReads > 0)
            clock = s.clock[s.clockReads - 1];
        r.steps.push_back(s);
    }
    for (int i = 0; i < steps / Replay::kChecksumInterval; ++i)
        r.checksums.push_back(0x01020304u * static_cast<std::uint32_t>(i + 1));
    return r;
}

void expectSame(const Replay& a, const Replay& b)
{
    EXPECT_EQ(a.result.total, b.result.total);
    EXPECT_EQ(a.result.score, b.result.score);
    EXPECT_EQ(a.result.comboBonus, b.result.comboBonus);
    EXPECT_EQ(a.result.clearBonus, b.result.clearBonus);
    EXPECT_EQ(a.result.endKind, b.result.endKind);
    EXPECT_STREQ(a.result.name, b.result.name);
    EXPECT_EQ(a.carry.randomState, b.carry.randomState);
    EXPECT_EQ(a.carry.wandererCounter, b.carry.wandererCounter);
    EXPECT_EQ(a.carry.spawnTimer, b.carry.spawnTimer);
    EXPECT_EQ(a.carry.gaugeBlink, b.carry.gaugeBlink);
    EXPECT_EQ(a.carry.gaugeBlinkFalling, b.carry.gaugeBlinkFalling);
    ASSERT_EQ(a.steps.size(), b.steps.size());
    for (std::size_t i = 0; i < a.steps.size(); ++i) {
        const Replay::Step& x = a.steps[i];
        const Replay::Step& y = b.steps[i];
        ASSERT_TRUE(x.pointer == y.pointer && x.button == y.button && x.clockReads == y.clockReads) << "step " << i;
        for (int k = 0; k < x.clockReads; ++k)
            ASSERT_EQ(x.clock[k], y.clock[k]) << "step " << i;
    }
    EXPECT_EQ(a.checksums, b.checksums);
}

// The bytes with the trailing checksum made right again, as a hostile file would.
std::string resealed(std::string bytes)
{
    Checksum sum;
    sum.add(std::string_view(bytes).substr(0, bytes.size() - 4));
    for (int i = 0; i < 4; ++i)
        bytes[bytes.size() - 4 + i] = static_cast<char>(sum.value() >> (8 * i));
    return bytes;
}

// Where the step count sits: magic, version, game version, result, carry, interval.
constexpr std::size_t kStepCountAt = 4 + 2 + 1 + 3 + 33 + 17 + 2;

}  // namespace

TEST(ReplayTest, AReplayReadsBackAsItWasWritten)
{
    const Replay original = sample();
    const std::string bytes = original.encode();
    Replay back;
    std::string error;
    ASSERT_TRUE(Replay::decode(bytes, back, error)) << error;
    expectSame(original, back);
    // Still steps cost next to nothing: a 400-step sample fits in a few hundred bytes.
    EXPECT_LT(bytes.size(), 600u);
}

TEST(ReplayTest, EveryTruncationAndEveryAlteredByteIsRefused)
{
    const std::string bytes = sample(130).encode();
    Replay back;
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        std::string error;
        EXPECT_FALSE(Replay::decode(bytes.substr(0, n), back, error)) << "cut at " << n;
        EXPECT_FALSE(error.empty());
        std::string altered = bytes;
        altered[n] = static_cast<char>(altered[n] ^ 0x20);
        EXPECT_FALSE(Replay::decode(altered, back, error)) << "altered at " << n;
    }
}

TEST(ReplayTest, UnknownVersionsAndImpossibleCountsAreNamed)
{
    std::string bytes = sample().encode();
    Replay back;
    std::string error;
    std::string later = bytes;
    later[4] = 2;
    EXPECT_FALSE(Replay::decode(resealed(later), back, error));
    EXPECT_NE(error.find("format 2"), std::string::npos) << error;

    // A huge step count is refused before anything is reserved for it.
    for (const std::uint32_t count : {0xFFFFFFFFu, static_cast<std::uint32_t>(Replay::kMaxSteps) + 1, 0u}) {
        std::string huge = bytes;
        for (int i = 0; i < 4; ++i)
            huge[kStepCountAt + i] = static_cast<char>(count >> (8 * i));
        EXPECT_FALSE(Replay::decode(resealed(huge), back, error));
        EXPECT_NE(error.find("step count"), std::string::npos) << error;
    }
    // A count the step bytes do not hold, either way.
    for (const std::uint32_t count : {399u, 401u}) {
        std::string off = bytes;
        for (int i = 0; i < 4; ++i)
            off[kStepCountAt + i] = static_cast<char>(count >> (8 * i));
        EXPECT_FALSE(Replay::decode(resealed(off), back, error));
    }
    EXPECT_FALSE(Replay::decode("TSRP", back, error));
    EXPECT_FALSE(Replay::decode("PNG\x89 not a replay at all", back, error));
    EXPECT_FALSE(Replay::readFile("no/such/file.tsr", back, error));
}

TEST(ReplayTest, CarriedValuesTheGameCannotLeaveAreRefused)
{
    Replay r = sample();
    Replay back;
    std::string error;
    r.carry.wandererCounter = 120;
    EXPECT_FALSE(Replay::decode(r.encode(), back, error));
    r.carry = sample().carry;
    r.carry.spawnTimer = -1;
    EXPECT_FALSE(Replay::decode(r.encode(), back, error));
    r.carry = sample().carry;
    r.result.endKind = EndKind::Playing;
    EXPECT_FALSE(Replay::decode(r.encode(), back, error));
}

namespace {

class ReplayStoreTest : public ::testing::Test {
protected:
    static Replay round(const char* name, int total)
    {
        Replay r = sample(60);
        r.result.total = total;
        r.setName(name);
        return r;
    }

    TemporaryFolder folder{false};
    ReplayStore store;
};

}  // namespace

TEST_F(ReplayStoreTest, TheLatestTwentyAndTheRankedAreKept)
{
    for (int i = 1; i <= 30; ++i)
        store.saveRound(round("P", i * 100));
    EXPECT_EQ(ReplayStore::numbers().size(), 30u);
    // Rounds 3 and 5 are ranked; so is round 25, which is among the latest anyway.
    store.prune({{"P", 300}, {"P", 500}, {"P", 2500}, {"Q", 700}});
    std::vector<int> expected = {3, 5};
    for (int i = 11; i <= 30; ++i)
        expected.push_back(i);
    EXPECT_EQ(ReplayStore::numbers(), expected);
    // Numbering goes on after the newest.
    store.saveRound(round("P", 1));
    EXPECT_EQ(ReplayStore::numbers().back(), 31);
}

TEST_F(ReplayStoreTest, TheNameTypedAfterTheRoundIsWrittenIntoItsReplay)
{
    store.saveRound(round("", 4200));
    store.nameLastRound("ZED     ");
    Replay back;
    std::string error;
    ASSERT_TRUE(Replay::readFile(ReplayStore::path(1), back, error)) << error;
    EXPECT_STREQ(back.result.name, "ZED     ");
    EXPECT_EQ(back.result.total, 4200);
    // A watched round leaves nothing to name.
    store.forgetLastRound();
    store.nameLastRound("OTHER");
    ASSERT_TRUE(Replay::readFile(ReplayStore::path(1), back, error));
    EXPECT_STREQ(back.result.name, "ZED     ");
}

TEST_F(ReplayStoreTest, AReplayThatCannotBeWrittenIsReportedAndForgotten)
{
    std::filesystem::remove_all("data/replays");
    folder.write("data/replays", "a file where the folder should be");
    testing::internal::CaptureStderr();
    store.saveRound(round("", 1));
    store.nameLastRound("NAME");
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("replay not saved"), std::string::npos) << said;
    EXPECT_TRUE(ReplayStore::numbers().empty());
}
