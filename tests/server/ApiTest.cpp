#include "server/Api.h"
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

// With every verifier busy and no room in the queue, a round is turned away at once.
TEST_F(ApiTest, TurnsRoundsAwayWhenEveryVerifierIsBusy)
{
    VerifierPool verifiers(1, 0);
    std::promise<void> release;
    std::promise<void> busy;
    ASSERT_TRUE(verifiers.submit([&](ReplayVerifier&) {
        busy.set_value();
        release.get_future().wait();
    }));
    busy.get_future().wait();
    Api api(store_, verifiers, std::nullopt, 30);
    const Response response = answerTo(api, requestFor(http::verb::post, "/api/rounds", "TSRP"));
    release.set_value();
    EXPECT_EQ(response.result(), http::status::service_unavailable);
    EXPECT_EQ(response[http::field::retry_after], "1");
}

TEST_F(ApiTest, ServesThePageAndNothingBesideIt)
{
    std::filesystem::create_directories(folder_);
    std::ofstream(folder_ / "index.html") << "<!doctype html>";
    std::ofstream(folder_ / "index.wasm") << "\0asm";
    std::ofstream(folder_ / ".hidden") << "secret";
    VerifierPool verifiers(1, 1);
    Api api(store_, verifiers, StaticFiles((folder_).string()), 30);
    const Response page = answerTo(api, requestFor(http::verb::get, "/"));
    EXPECT_EQ(page.body(), "<!doctype html>");
    EXPECT_EQ(answerTo(api, requestFor(http::verb::get, "/rounds/12")).body(), "<!doctype html>");
    EXPECT_EQ(answerTo(api, requestFor(http::verb::get, "/index.wasm?v=1"))[http::field::content_type],
              "application/wasm");
    for (const char* outside : {"/.hidden", "/../index.html", "/%2e%2e/x", "/x\\..\\y", "//etc/passwd"})
        EXPECT_EQ(answerTo(api, requestFor(http::verb::get, outside)).result(), http::status::not_found) << outside;
    std::filesystem::remove_all(folder_);
}

}  // namespace
