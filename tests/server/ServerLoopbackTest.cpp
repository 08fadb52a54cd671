#include "replay/Replay.h"
#include "tests/server/RecordedRounds.h"
#include "tests/server/ServerProcess.h"
#include "tests/server/StoreBackends.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <atomic>
#include <csignal>
#include <mutex>
#include <set>
#include <thread>

namespace {

using json = nlohmann::json;

// The same round under another name: other bytes, the same total.
std::string renamed(const std::string& bytes, int number)
{
    Replay replay = decoded(bytes);
    std::string name;
    for (int n = number; name.size() < 4; n /= 26)
        name += static_cast<char>('A' + n % 26);
    replay.setName(name.c_str());
    return replay.encode();
}

json bodyOf(const HttpClient::Reply& reply) { return json::parse(reply.body, nullptr, false); }

// Every round in the ranking, page by page.
std::vector<json> wholeRanking(const HttpClient& client)
{
    std::vector<json> rows;
    for (int offset = 0;; offset += 100) {
        const json page = bodyOf(client.get("/api/ranking?limit=100&offset=" + std::to_string(offset)));
        for (const json& row : page["rounds"])
            rows.push_back(row);
        if (page["rounds"].size() < 100)
            return rows;
    }
}

class ServerLoopbackTest : public testing::TestWithParam<StoreBackend> {
protected:
    void SetUp() override
    {
        database_ = GetParam().fresh();
        if (database_.empty())
            GTEST_SKIP() << GetParam().name << " is not given to this run";
    }
    std::string database_;
};

TEST_P(ServerLoopbackTest, RanksRecordedRoundsOnceEach)
{
    ServerProcess server(database_);
    const HttpClient client = server.client();
    for (const char* name : {"active-round.tsr", "second-round.tsr", "window-round.tsr", "idle-round.tsr"}) {
        const HttpClient::Reply reply = client.post("/api/rounds", recorded(name));
        EXPECT_EQ(reply.status, 201) << name << ": " << reply.body;
        EXPECT_EQ(bodyOf(reply)["total"], decoded(recorded(name)).result.total) << name;
    }
    const HttpClient::Reply again = client.post("/api/rounds", recorded("active-round.tsr"));
    EXPECT_EQ(again.status, 200);
    EXPECT_EQ(bodyOf(again)["id"], 1);
    EXPECT_EQ(bodyOf(again)["rank"], 3);
    EXPECT_EQ(bodyOf(again)["of"], 4);

    const std::vector<json> ranking = wholeRanking(client);
    ASSERT_EQ(ranking.size(), 4u);
    EXPECT_EQ(ranking[0]["total"], 80800);
    EXPECT_EQ(ranking[0]["name"], "ABG");
    EXPECT_EQ(ranking[3]["total"], 0);
    EXPECT_EQ(client.get("/api/rounds/1/replay").body, recorded("active-round.tsr"));
    EXPECT_EQ(bodyOf(client.get("/api/rounds/1"))["score"], 17150);
    EXPECT_EQ(bodyOf(client.get("/api/health"))["rounds"], 4);
    EXPECT_EQ(server.stop(SIGTERM), 0);
}

TEST_P(ServerLoopbackTest, RefusesForgedRoundsWithTheirReasons)
{
    ServerProcess server(database_);
    const HttpClient client = server.client();
    const std::string active = recorded("active-round.tsr");
    Replay raised = decoded(active);
    raised.result.total += 1;
    Replay named = decoded(active);
    named.setName("<b>");
    Replay slowed = decoded(active);
    for (std::size_t i = 0; i < slowed.steps.size(); ++i)
        slowed.steps[i].clock[0] /= 2;
    Replay other = decoded(active);
    other.gameVersion = "2.0";
    const struct {
        std::string bytes;
        int status;
        std::string reason;
    } forged[] = {
        {raised.encode(), 422, "it claims a total of 37151, but played again it comes to 37150"},
        {named.encode(), 422, "its name holds what the name entry cannot type (up to 8 letters A to Z and spaces)"},
        {slowed.encode(), 422, "its clock runs slower than its steps from 0:00"},
        {other.encode(), 409, "this replay was recorded by version 2.0 of the game; this server ranks version 1.0"},
        {"TSRP", 400, "not a replay"},
    };
    for (const auto& round : forged) {
        const HttpClient::Reply reply = client.post("/api/rounds", round.bytes);
        EXPECT_EQ(reply.status, round.status) << reply.body;
        EXPECT_EQ(bodyOf(reply)["error"], round.reason);
    }
    EXPECT_EQ(bodyOf(client.get("/api/health"))["rounds"], 0);
    EXPECT_NE(server.log().find("round refused 422: it claims a total of 37151"), std::string::npos) << server.log();
}

TEST_P(ServerLoopbackTest, AnswersWhatNoGameSendsWithItsStatus)
{
    ServerProcess server(database_, {"--rounds-per-minute", "3"});
    const HttpClient client = server.client();
    const std::string post = "POST /api/rounds HTTP/1.1\r\nHost: x\r\n";
    EXPECT_EQ(client.raw(post + "\r\n").status, 411);
    EXPECT_EQ(client.raw(post + "Content-Length: 70000\r\n\r\n").status, 413);
    EXPECT_EQ(client.raw(post + "Transfer-Encoding: chunked\r\n\r\n4\r\nTSRP\r\n0\r\n\r\n").status, 415);
    EXPECT_EQ(client.raw(post + "Content-Encoding: gzip\r\nContent-Length: 4\r\n\r\nTSRP").status, 415);
    EXPECT_EQ(client.raw("GET / HTTP/1.1\r\nX: " + std::string(9000, 'x') + "\r\n\r\n").status, 431);
    EXPECT_EQ(client.raw("NOT HTTP AT ALL\r\n\r\n").status, 400);
    EXPECT_EQ(client.get("/api/ranking?limit=101").status, 400);
    EXPECT_EQ(client.get("/api/ranking?offset=-1").status, 400);
    EXPECT_EQ(client.get("/api/rounds/99").status, 404);
    EXPECT_EQ(client.get("/api/elsewhere").status, 404);
    EXPECT_EQ(client.get("/index.html").status, 404);
    EXPECT_EQ(client.request("DELETE", "/api/rounds/1", "", {}).status, 405);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(client.post("/api/rounds", "x").status, 400);
    // A query changes nothing of the rate, and a limited round is read before its answer.
    const HttpClient::Reply limited = client.post("/api/rounds?again=1", recorded("active-round.tsr"));
    EXPECT_EQ(limited.status, 429);
    EXPECT_FALSE(limited.headers.at("Retry-After").empty());
    EXPECT_EQ(client.get("/api/health").status, 200);
    EXPECT_EQ(server.stop(SIGTERM), 0);
}

// Servers on one database hold one ranking, whichever a round was sent to.
TEST_P(ServerLoopbackTest, ServersOnOneDatabaseShareOneRanking)
{
    ServerProcess first(database_);
    ServerProcess second(database_);
    EXPECT_EQ(first.client().post("/api/rounds", recorded("active-round.tsr")).status, 201);
    EXPECT_EQ(second.client().post("/api/rounds", recorded("second-round.tsr")).status, 201);
    EXPECT_EQ(second.client().post("/api/rounds", recorded("active-round.tsr")).status, 200);
    for (const ServerProcess* server : {&first, &second}) {
        const std::vector<json> ranking = wholeRanking(server->client());
        ASSERT_EQ(ranking.size(), 2u);
        EXPECT_EQ(ranking[0]["total"], 63650);
        EXPECT_EQ(ranking[1]["total"], 37150);
    }
}

// Clients sending and reading at once; the server killed mid-way and started again on
// the same database: every round it answered for is there, none twice.
TEST_P(ServerLoopbackTest, KilledUnderLoadLosesNoAnsweredRound)
{
    constexpr int kSenders = 4;
    constexpr int kReaders = 2;
    constexpr int kRoundsEach = 60;
    const std::string active = recorded("active-round.tsr");
    auto server = std::make_unique<ServerProcess>(database_, std::vector<std::string>{"--rounds-per-minute", "100000"});
    const HttpClient client = server->client();
    std::mutex mutex;
    std::multiset<std::string> answered;
    std::atomic<int> failedReads{0};
    std::atomic<bool> killed{false};
    std::vector<std::thread> clients;
    for (int s = 0; s < kSenders; ++s)
        clients.emplace_back([&, s] {
            try {
                for (int i = 0; i < kRoundsEach; ++i) {
                    const std::string bytes = renamed(active, s * kRoundsEach + i);
                    const HttpClient::Reply reply = client.post("/api/rounds", bytes);
                    if (reply.status == 200 || reply.status == 201) {
                        const std::lock_guard<std::mutex> lock(mutex);
                        answered.insert(bodyOf(reply)["name"].get<std::string>());
                    }
                }
            } catch (const HttpClient::Unreachable&) {
            }
        });
    for (int r = 0; r < kReaders; ++r)
        clients.emplace_back([&] {
            try {
                while (!killed)
                    failedReads += client.get("/api/ranking?limit=100").status == 200 ? 0 : 1;
            } catch (const HttpClient::Unreachable&) {
            }
        });
    // Killed a third of the way, or after a bound of time should the server be slow.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const std::lock_guard<std::mutex> lock(mutex);
        if (answered.size() >= kSenders * kRoundsEach / 3)
            break;
    }
    server->stop(SIGKILL);
    killed = true;
    for (std::thread& thread : clients)
        thread.join();
    EXPECT_EQ(failedReads, 0);

    server = std::make_unique<ServerProcess>(database_);
    std::multiset<std::string> ranked;
    for (const json& row : wholeRanking(server->client()))
        ranked.insert(row["name"].get<std::string>());
    for (const std::string& name : answered)
        EXPECT_EQ(ranked.count(name), 1u) << name << " was answered for but is ranked " << ranked.count(name) << " times";
    EXPECT_EQ(std::set<std::string>(ranked.begin(), ranked.end()).size(), ranked.size());
    EXPECT_EQ(server->stop(SIGTERM), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, ServerLoopbackTest, testing::ValuesIn(storeBackends()),
                         [](const testing::TestParamInfo<StoreBackend>& info) { return info.param.name; });

}  // namespace
