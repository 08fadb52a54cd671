#include "server/Api.h"
#include "platform/WholeFile.h"
#include "server/SqliteStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <unistd.h>

namespace {

Request requestFor(http::verb method, const std::string& target, const std::string& body = "")
{
    Request request(method, target, 11);
    request.body() = body;
    request.prepare_payload();
    return request;
}

class ApiTest : public testing::Test {
protected:
    Response answerTo(Api& api, const Request& request)
    {
        std::promise<Response> answered;
        api.handle(request, "127.0.0.1", [&answered](Response response) { answered.set_value(std::move(response)); });
        return answered.get_future().get();
    }

    const std::filesystem::path folder_ = std::filesystem::temp_directory_path() / ("tessaro-api-test-" + std::to_string(getpid()));
    SqliteStore store_{":memory:"};
};

// A database that cannot be reached, whatever it is asked.
class AwayStore : public RoundStore {
public:
    Added add(const StoredRound&) override { throw Unavailable("away"); }
    Placing placing(std::int64_t) override { throw Unavailable("away"); }
    std::vector<StoredRound> ranking(std::int64_t, int) override { throw Unavailable("away"); }
    std::optional<StoredRound> round(std::int64_t, bool) override { throw Unavailable("away"); }
    std::int64_t count() override { throw Unavailable("away"); }
    std::string salt() override { return "salt"; }
    std::string name() const override { return "away"; }
};

// A round verified while the database is away is not lost to the sender: asked to send
// it again later, and told nothing else is wrong with it.
TEST_F(ApiTest, AsksForTheRoundAgainWhenTheDatabaseIsAway)
{
    AwayStore away;
    VerifierPool verifiers(1, 1);
    Api api(away, verifiers, std::nullopt, 30);
    std::string round;
    std::string why;
    ASSERT_EQ(readWholeFile(std::string(TESSARO_REPLAYS) + "/idle-round.tsr", round, why), WholeFile::Read);
    const Response sent = answerTo(api, requestFor(http::verb::post, "/api/rounds", round));
    EXPECT_EQ(sent.result(), http::status::service_unavailable);
    EXPECT_EQ(sent[http::field::retry_after], "5");
    EXPECT_EQ(answerTo(api, requestFor(http::verb::get, "/api/ranking")).result(), http::status::service_unavailable);
    const Response health = answerTo(api, requestFor(http::verb::get, "/api/health"));
    EXPECT_EQ(health.result(), http::status::service_unavailable);
    EXPECT_NE(health.body().find("\"database\":false"), std::string::npos) << health.body();
}

// With every verifier busy and no room in the queue, a round is turned away at once.
TEST_F(ApiTest, TurnsRoundsAwayWhenEveryVerifierIsBusy)
{
    std::promise<void> release;
    std::promise<void> busy;
    VerifierPool verifiers(1, 0);
    ASSERT_TRUE(verifiers.submit([&busy, released = release.get_future().share()](ReplayVerifier&) {
        busy.set_value();
        released.wait();
    }));
    busy.get_future().wait();
    Api api(store_, verifiers, std::nullopt, 30);
    const Response response = answerTo(api, requestFor(http::verb::post, "/api/rounds", "TSRP"));
    release.set_value();
    EXPECT_EQ(response.result(), http::status::service_unavailable);
    EXPECT_EQ(response[http::field::retry_after], "1");
}

// Readers of the ranking tell how a round ended by these words.
TEST_F(ApiTest, SaysHowEachRoundEndedInTheWordsReadersMatch)
{
    const std::pair<EndKind, std::string> ends[] = {{EndKind::BaseDestroyed, "base destroyed"},
                                                    {EndKind::TimeUp, "time up"}};
    for (const auto& [kind, word] : ends) {
        StoredRound round;
        round.total = static_cast<int>(kind);
        round.endKind = static_cast<int>(kind);
        round.sha256 = word;  // one hash would be one round
        store_.add(round);
    }
    VerifierPool verifiers(1, 1);
    Api api(store_, verifiers, std::nullopt, 30);
    const std::string ranking = answerTo(api, requestFor(http::verb::get, "/api/ranking")).body();
    const std::string details = answerTo(api, requestFor(http::verb::get, "/api/rounds/1")).body();
    EXPECT_NE(ranking.find(R"("endKind":"time up")"), std::string::npos) << ranking;
    EXPECT_NE(ranking.find(R"("endKind":"base destroyed")"), std::string::npos) << ranking;
    EXPECT_NE(details.find(R"("endKind":"base destroyed")"), std::string::npos) << details;
}

TEST_F(ApiTest, ServesThePageAndNothingBesideIt)
{
    std::filesystem::create_directories(folder_);
    std::ofstream(folder_ / "index.html") << "<!doctype html>";
    std::ofstream(folder_ / "index.wasm") << "wasm";
    std::ofstream(folder_ / ".hidden") << "secret";
    VerifierPool verifiers(1, 1);
    Api api(store_, verifiers, StaticFiles((folder_).string()), 30);
    const Response page = answerTo(api, requestFor(http::verb::get, "/"));
    EXPECT_EQ(page.body(), "<!doctype html>");
    EXPECT_EQ(answerTo(api, requestFor(http::verb::get, "/rounds/12")).body(), "<!doctype html>");
    EXPECT_EQ(answerTo(api, requestFor(http::verb::get, "/rounds/index.wasm")).body(), "wasm");
    EXPECT_EQ(answerTo(api, requestFor(http::verb::get, "/index.wasm?v=1"))[http::field::content_type],
              "application/wasm");
    for (const char* outside : {"/.hidden", "/../index.html", "/%2e%2e/x", "/x\\..\\y", "//etc/passwd"})
        EXPECT_EQ(answerTo(api, requestFor(http::verb::get, outside)).result(), http::status::not_found) << outside;
    std::filesystem::remove_all(folder_);
}

}  // namespace
