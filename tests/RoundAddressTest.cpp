#include "replay/RoundAddress.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using Kind = RoundAddress::Kind;

constexpr std::int64_t kLargestId = std::numeric_limits<std::int64_t>::max();

// The page's address and the interface's two are what the page, tessaro-send's links and
// tessaro-watch's fetches are built on: each reads back as the round it was made for.
TEST(RoundAddressTest, ReadsBackTheAddressesItMakes)
{
    EXPECT_EQ((RoundAddress{42, Kind::Page}.path()), "/rounds/42");
    EXPECT_EQ((RoundAddress{42, Kind::Details}.path()), "/api/rounds/42");
    EXPECT_EQ((RoundAddress{42, Kind::Replay}.path()), "/api/rounds/42/replay");
    for (const Kind kind : {Kind::Page, Kind::Details, Kind::Replay}) {
        const std::optional<RoundAddress> read = RoundAddress::parse(RoundAddress{kLargestId, kind}.path());
        ASSERT_TRUE(read);
        EXPECT_EQ(read->id, kLargestId);
        EXPECT_EQ(read->kind, kind);
    }
    const std::optional<RoundAddress> padded = RoundAddress::parse("/rounds/007");
    ASSERT_TRUE(padded);
    EXPECT_EQ(padded->id, 7);
}

// One past kLargestId is no number; nor is a sign, a space or anything behind the digits.
TEST(RoundAddressTest, NamesNoRoundWithoutAWholeNumber)
{
    for (const char* path : {"", "/", "/rounds", "/rounds/", "/rounds/-1", "/rounds/-0", "/rounds/+1", "/rounds/ 1",
                             "/rounds/1x", "/rounds/1/", "/rounds/0x10", "/rounds/9223372036854775808",
                             "/rounds/1/replay", "/api/rounds/", "/api/rounds/replay", "/api/rounds//replay",
                             "/api/rounds/1/replay/replay", "/apix/rounds/1", "/api/ranking", "/round/1"})
        EXPECT_FALSE(RoundAddress::parse(path)) << path;
}

}  // namespace
