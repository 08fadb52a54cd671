#include "platform/ReleaseLedger.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Every release, in order; a handle released twice shows up twice.
std::vector<int> released;

void note(int handle) { released.push_back(handle); }

class ReleaseLedgerTest : public ::testing::Test {
protected:
    ReleaseLedgerTest()
    {
        released.clear();
        for (int handle : {1, 2, 3})
            ledger.add(handle);
    }

    ReleaseLedger<int> ledger{&note};
};

}  // namespace

// Holders that go before the device release their own handles, once.
TEST_F(ReleaseLedgerTest, HolderReleasesItsHandleOnce)
{
    ledger.release(2);
    ledger.release(2);
    EXPECT_EQ(released, std::vector<int>{2});
    EXPECT_EQ(ledger.held(), 2u);
    ledger.release(7);
    EXPECT_EQ(released, std::vector<int>{2});
}

// The device going releases what is still out there, and holders that outlive it
// then release nothing: no handle is released twice or missed.
TEST_F(ReleaseLedgerTest, ClosingReleasesTheRestAndLaterReleasesDoNothing)
{
    ledger.release(1);
    ledger.close();
    EXPECT_EQ(released, (std::vector<int>{1, 3, 2}));
    EXPECT_EQ(ledger.held(), 0u);
    ledger.release(2);
    ledger.release(3);
    ledger.close();
    EXPECT_EQ(released, (std::vector<int>{1, 3, 2}));
}

// A handle value given out again after its release is a new handle to release.
TEST_F(ReleaseLedgerTest, ReusedHandleIsReleasedAgain)
{
    ledger.release(3);
    ledger.add(3);
    ledger.close();
    EXPECT_EQ(released, (std::vector<int>{3, 3, 2, 1}));
}
