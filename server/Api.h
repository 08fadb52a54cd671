#pragma once

#include "server/Http.h"
#include "server/RateLimiter.h"
#include "server/RoundJudge.h"
#include "server/RoundStore.h"
#include "server/StaticFiles.h"
#include "server/VerifierPool.h"

#include <functional>
#include <optional>
#include <string>

// What the server answers: the ranking's JSON interface under /api/, and the page's files.
class Api {
public:
    // Called once for every request, perhaps on a verifier's thread.
    using Respond = std::function<void(Response)>;

    // Rounds a ranking read may ask for at once.
    static constexpr int kMaxRankingLimit = 100;

    Api(RoundStore& store, VerifierPool& verifiers, std::optional<StaticFiles> files, int roundsPerMinute);

    // The answer to a request its header alone rules out, before its body is read.
    std::optional<Response> screen(const RequestHeader& header, const std::string& address);
    void handle(const Request& request, const std::string& address, Respond respond);

    // Every answer's headers: the page's security policy, no sniffing, this server's name.
    static void secure(Response& response);
    // An error's answer: JSON with its message.
    static Response failure(http::status status, const std::string& message);

private:
    Response health();
    Response ranking(const Request& request);
    Response roundDetails(std::int64_t id);
    Response replay(std::int64_t id);
    void submit(const Request& request, const std::string& address, Respond respond);
    // On a verifier's thread: judges the bytes, keeps what verifies, answers.
    Response judgeAndKeep(const std::string& bytes, const std::string& sender, ReplayVerifier& verifier);
    std::string senderHash(const std::string& address);
    std::optional<Response> refusal(const RequestHeader& header, const std::string& address);
    // The log line of a round turned away before it was played.
    static void logTurnedAway(const Response& response, const std::string& sender);

    RoundStore& store_;
    VerifierPool& verifiers_;
    std::optional<StaticFiles> files_;
    int roundsPerMinute_;
    RateLimiter limiter_;
    std::string salt_;
};
