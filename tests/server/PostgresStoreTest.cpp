#include "server/PostgresStore.h"
#include "tests/server/StoreBackends.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using namespace std::chrono_literals;

constexpr const char* kPassword = "hunter2";

// A loopback port that takes connections and never says a word; its descriptor and port.
std::pair<int, int> silentListener()
{
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    const bool listening = bind(listener, reinterpret_cast<sockaddr*>(&address), size) == 0
                           && listen(listener, SOMAXCONN) == 0
                           && getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) == 0;
    EXPECT_TRUE(listening);
    return {listener, ntohs(address.sin_port)};
}

std::string refusal(const std::string& address)
{
    try {
        PostgresStore store(address);
    } catch (const RoundStore::Refused& refused) {
        return refused.what();
    }
    ADD_FAILURE() << "opened " << address;
    return {};
}

TEST(PostgresStoreTest, RefusesAnAddressItCannotUseSoonAndWithoutItsPassword)
{
    const std::string unreadable = refusal(std::string("postgresql://tessaro:") + kPassword + "@[::1/ranking");
    EXPECT_EQ(unreadable.find(kPassword), std::string::npos) << unreadable;

    // A server that never answers is given up on, however long it would keep a caller.
    constexpr auto kPatience = 10s;
    const auto [listener, port] = silentListener();
    const auto started = std::chrono::steady_clock::now();
    auto silent = std::async(std::launch::async, refusal,
        std::string("postgresql://tessaro:") + kPassword + "@127.0.0.1:" + std::to_string(port) + "/ranking");
    const bool answered = silent.wait_for(kPatience) == std::future_status::ready;
    // Closing the port frees a caller still waiting on it.
    close(listener);
    const std::string message = silent.get();
    EXPECT_TRUE(answered) << "still waiting after " << kPatience.count() << " s";
    EXPECT_LT(std::chrono::steady_clock::now() - started, kPatience);
    EXPECT_NE(message.find("\"ranking\""), std::string::npos) << message;
    EXPECT_EQ(message.find(kPassword), std::string::npos) << message;
}

class PostgresStoreOnDatabase : public testing::Test {
protected:
    void SetUp() override
    {
        if (testPostgres().empty())
            GTEST_SKIP() << "PostgreSQL is not given to this run";
        executeOnPostgres("SET client_min_messages = warning; DROP TABLE IF EXISTS rounds, settings");
    }
};

// Cut while idle, the connections of calls that ran together cost one failed call at most.
TEST_F(PostgresStoreOnDatabase, AnswersAgainOnceItsConnectionsAreCut)
{
    constexpr int kCallers = 4;
    constexpr int kCalls = 20;
    PostgresStore store(testPostgres());
    std::vector<std::thread> callers;
    for (int i = 0; i < kCallers; ++i)
        callers.emplace_back([&] {
            for (int call = 0; call < kCalls; ++call)
                store.count();
        });
    for (std::thread& caller : callers)
        caller.join();
    // Each cut is waited for, so that the store meets its connections already gone.
    constexpr int kCutWaitMs = 5000;
    executeOnPostgres("SELECT pg_terminate_backend(pid, " + std::to_string(kCutWaitMs) + ") FROM pg_stat_activity"
                      " WHERE datname = current_database() AND pid <> pg_backend_pid() AND backend_type = 'client backend'");
    try {
        store.count();
    } catch (const RoundStore::Unavailable&) {
        // The call on a cut connection may fail; the next must not.
    }
    EXPECT_EQ(store.count(), 0);
}

// Servers started together on an empty database create its tables once, and share its salt.
TEST_F(PostgresStoreOnDatabase, ServersStartingTogetherShareOneSchema)
{
    constexpr int kServers = 4;
    std::vector<std::future<std::string>> salts;
    for (int i = 0; i < kServers; ++i)
        salts.push_back(std::async(std::launch::async, [] { return PostgresStore(testPostgres()).salt(); }));
    const std::string salt = salts[0].get();
    for (int i = 1; i < kServers; ++i)
        EXPECT_EQ(salts[i].get(), salt);
}

}  // namespace
