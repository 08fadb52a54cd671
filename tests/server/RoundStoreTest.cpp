#include "server/Sha256.h"
#include "tests/server/StoreBackends.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace {

StoredRound roundOf(const std::string& name, int total, const std::string& bytes)
{
    StoredRound round;
    round.name = name;
    round.total = total;
    round.score = total / 2;
    round.comboBonus = total / 4;
    round.clearBonus = total - round.score - round.comboBonus;
    round.endKind = 2;
    round.steps = 11250;
    round.gameVersion = "1.0";
    round.sha256 = Sha256::hexOf(bytes);
    round.receivedAt = 1796800000;
    round.senderHash = "sender";
    round.replay = bytes;
    return round;
}

class RoundStoreTest : public testing::TestWithParam<StoreBackend> {
protected:
    void SetUp() override
    {
        if (GetParam().fresh().empty())
            GTEST_SKIP() << GetParam().name << " is not given to this run";
        store_ = GetParam().open();
    }
    std::unique_ptr<RoundStore> store_;
};

TEST_P(RoundStoreTest, KeepsEachRoundOnceWithItsBytes)
{
    const std::string bytes("TSRP\0\x01 any bytes\xff", 17);
    const RoundStore::Added first = store_->add(roundOf("ACE", 500, bytes));
    const RoundStore::Added again = store_->add(roundOf("ACE", 500, bytes));
    EXPECT_TRUE(first.isNew);
    EXPECT_FALSE(again.isNew);
    EXPECT_EQ(again.id, first.id);
    EXPECT_EQ(store_->count(), 1);
    const auto kept = store_->round(first.id, true);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->replay, bytes);
    EXPECT_EQ(kept->name, "ACE");
    EXPECT_EQ(kept->comboBonus, 125);
    EXPECT_EQ(kept->receivedAt, 1796800000);
    EXPECT_TRUE(store_->round(first.id, false)->replay.empty());
    EXPECT_FALSE(store_->round(first.id + 1000, false));
}

// Higher totals first, equal totals in the order received, as the game ranks them.
TEST_P(RoundStoreTest, RanksAsTheGameRanks)
{
    const auto low = store_->add(roundOf("LOW", 100, "a")).id;
    const auto early = store_->add(roundOf("EARLY", 300, "b")).id;
    const auto late = store_->add(roundOf("LATE", 300, "c")).id;
    const auto high = store_->add(roundOf("HIGH", 900, "d")).id;
    const std::vector<StoredRound> all = store_->ranking(0, 10);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0].id, high);
    EXPECT_EQ(all[1].id, early);
    EXPECT_EQ(all[2].id, late);
    EXPECT_EQ(all[3].id, low);
    EXPECT_TRUE(all[0].replay.empty());
    EXPECT_EQ(store_->placing(late).rank, 3);
    EXPECT_EQ(store_->placing(late).of, 4);
    EXPECT_EQ(store_->placing(high).rank, 1);
    const std::vector<StoredRound> page = store_->ranking(2, 1);
    ASSERT_EQ(page.size(), 1u);
    EXPECT_EQ(page[0].id, late);
    EXPECT_TRUE(store_->ranking(4, 10).empty());
}

// Writers on several threads at once lose nothing and keep nothing twice.
TEST_P(RoundStoreTest, WritersTogetherLoseNothing)
{
    constexpr int kThreads = 4;
    constexpr int kRounds = 25;
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t)
        writers.emplace_back([&, t] {
            for (int i = 0; i < kRounds; ++i)
                store_->add(roundOf("W", i, std::to_string(i * 7 % kRounds) + "-" + std::to_string(t % 2)));
        });
    for (std::thread& writer : writers)
        writer.join();
    EXPECT_EQ(store_->count(), 2 * kRounds);
}

TEST_P(RoundStoreTest, KeepsItsSaltAndSchemaWhenOpenedAgain)
{
    const std::string salt = store_->salt();
    EXPECT_EQ(salt.size(), 64u);
    store_->add(roundOf("ACE", 1, "x"));
    const std::unique_ptr<RoundStore> again = GetParam().open();
    EXPECT_EQ(again->salt(), salt);
    EXPECT_EQ(again->count(), 1);
}

// A database a newer server wrote is refused with the reason, never read as this one's.
TEST_P(RoundStoreTest, RefusesANewerSchema)
{
    store_.reset();
    const std::string newer = std::to_string(RoundStore::kSchemaVersion + 1);
    GetParam().execute("UPDATE settings SET value = '" + newer + "' WHERE key = 'schema'");
    try {
        GetParam().open();
        ADD_FAILURE() << "a database of schema " << newer << " was opened";
    } catch (const RoundStore::Refused& refused) {
        EXPECT_NE(std::string(refused.what()).find("schema " + newer), std::string::npos) << refused.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, RoundStoreTest, testing::ValuesIn(storeBackends()),
                         [](const testing::TestParamInfo<StoreBackend>& info) { return info.param.name; });

}  // namespace
