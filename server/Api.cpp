#include "server/Api.h"

#include "base/WholeNumber.h"
#include "replay/RoundAddress.h"
#include "server/Sha256.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdio>
#include <ctime>

namespace {

using json = nlohmann::json;

constexpr std::string_view kApi = "/api/";
constexpr std::string_view kRounds = "/api/rounds";
constexpr int kDefaultRankingLimit = 20;
// How long a sender is asked to wait when every verifier is busy, or the database is away.
constexpr int kBusyRetrySeconds = 1;
constexpr int kDatabaseRetrySeconds = 5;
// Digits of a sender's hash kept: enough to tell senders apart, too few to be an address.
constexpr std::size_t kSenderHashDigits = 32;
constexpr const char* kPolicy = "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; "
                                "style-src 'self' 'unsafe-inline'; img-src 'self' data: blob:; "
                                "connect-src 'self'; object-src 'none'; base-uri 'none'; frame-ancestors 'none'";

Response answer(http::status status, const json& body)
{
    Response response(status, 11);
    response.set(http::field::content_type, "application/json");
    // Names and reasons are checked when kept; a stray byte still cannot stop an answer.
    response.body() = body.dump(-1, ' ', false, json::error_handler_t::replace) + "\n";
    response.prepare_payload();
    return response;
}

Response retryLater(http::status status, const std::string& message, int seconds)
{
    Response response = Api::failure(status, message);
    response.set(http::field::retry_after, std::to_string(seconds));
    return response;
}

Response databaseAway()
{
    return retryLater(http::status::service_unavailable,
                      "the ranking's database cannot be reached now; send the round again later", kDatabaseRetrySeconds);
}

// The target without its query: what every route and the rate are decided by.
std::string_view pathOf(std::string_view target) { return target.substr(0, target.find('?')); }

// One parameter of a query string, or `fallback` where it is absent; nullopt where it is not a number.
std::optional<std::int64_t> parameter(std::string_view query, std::string_view name, std::int64_t fallback)
{
    while (!query.empty()) {
        const std::size_t end = query.find('&');
        const std::string_view pair = query.substr(0, end);
        if (pair.substr(0, name.size()) == name && pair.size() > name.size() && pair[name.size()] == '=')
            return wholeNumber(pair.substr(name.size() + 1));
        query = end == std::string_view::npos ? std::string_view() : query.substr(end + 1);
    }
    return fallback;
}

std::string isoDate(std::int64_t seconds)
{
    const auto time = static_cast<std::time_t>(seconds);
    std::tm utc{};
    gmtime_r(&time, &utc);
    char text[sizeof "2026-12-09T07:35:22Z"];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

json rowOf(const StoredRound& round)
{
    return {{"id", round.id},
            {"name", round.name},
            {"total", round.total},
            {"endKind", endKindName(static_cast<EndKind>(round.endKind))},
            {"date", isoDate(round.receivedAt)}};
}

const char* verdictWord(RoundJudge::Verdict verdict)
{
    switch (verdict) {
    case RoundJudge::Verdict::Verified: return "ranked";
    case RoundJudge::Verdict::NotAReplay: return "not-a-replay";
    case RoundJudge::Verdict::OtherVersion: return "other-version";
    case RoundJudge::Verdict::Refused: return "refused";
    }
    return "refused";
}

http::status statusOf(RoundJudge::Verdict verdict)
{
    switch (verdict) {
    case RoundJudge::Verdict::NotAReplay: return http::status::bad_request;
    case RoundJudge::Verdict::OtherVersion: return http::status::conflict;
    default: return http::status::unprocessable_entity;
    }
}

}  // namespace

Api::Api(RoundStore& store, VerifierPool& verifiers, std::optional<StaticFiles> files, int roundsPerMinute)
    : store_(store), verifiers_(verifiers), files_(std::move(files)), roundsPerMinute_(roundsPerMinute),
      limiter_(roundsPerMinute, std::chrono::minutes(1)), salt_(store.salt())
{
}

Response Api::failure(http::status status, const std::string& message)
{
    return answer(status, {{"error", message}});
}

void Api::secure(Response& response)
{
    response.set("Content-Security-Policy", kPolicy);
    response.set("X-Content-Type-Options", "nosniff");
    response.set(http::field::server, "tessaro-server");
}

std::string Api::senderHash(const std::string& address)
{
    return Sha256::hexOf(salt_ + address).substr(0, kSenderHashDigits);
}

std::optional<Response> Api::screen(const RequestHeader& header, const std::string& address)
{
    std::optional<Response> refused = refusal(header, address);
    if (refused && header.method() == http::verb::post && pathOf(header.target()) == kRounds)
        logTurnedAway(*refused, senderHash(address));
    return refused;
}

void Api::logTurnedAway(const Response& response, const std::string& sender)
{
    std::fprintf(stderr, "round turned-away %d: unread, sender %s\n", response.result_int(), sender.c_str());
}

std::optional<Response> Api::refusal(const RequestHeader& header, const std::string& address)
{
    if (header.count(http::field::transfer_encoding) != 0 || header.count(http::field::content_encoding) != 0)
        return failure(http::status::unsupported_media_type,
                       "send the replay's bytes as they are: no Transfer-Encoding or Content-Encoding");
    const auto length = header.find(http::field::content_length);
    const auto longest = static_cast<std::int64_t>(http_limits::kMaxBody);
    if (length != header.end() && wholeNumber(length->value()).value_or(0) > longest)
        return failure(http::status::payload_too_large, "a replay is at most 64 KiB");
    if (header.method() != http::verb::post)
        return std::nullopt;
    if (length == header.end())
        return failure(http::status::length_required, "a round is sent with its Content-Length");
    if (pathOf(header.target()) == kRounds) {
        if (const int wait = limiter_.retryAfter(senderHash(address), RateLimiter::Clock::now()))
            return retryLater(http::status::too_many_requests,
                              "at most " + std::to_string(roundsPerMinute_) + " rounds a minute from one sender", wait);
    }
    return std::nullopt;
}

void Api::handle(const Request& request, const std::string& address, Respond respond)
{
    const std::string_view path = pathOf(request.target());
    const bool reads = request.method() == http::verb::get || request.method() == http::verb::head;
    try {
        if (path == kRounds && request.method() == http::verb::post)
            return submit(request, address, std::move(respond));
        if (path.substr(0, kApi.size()) != kApi) {
            std::optional<Response> file = reads && files_ ? files_->serve(request) : std::nullopt;
            return respond(file ? std::move(*file) : failure(http::status::not_found, "nothing is here"));
        }
        if (!reads) {
            Response refused = failure(http::status::method_not_allowed, "this address only answers GET");
            refused.set(http::field::allow, "GET, HEAD");
            return respond(std::move(refused));
        }
        if (path == "/api/health")
            return respond(health());
        if (path == "/api/ranking")
            return respond(ranking(request));
        if (const std::optional<RoundAddress> round = RoundAddress::parse(path))
            return respond(round->kind == RoundAddress::Kind::Replay ? replay(round->id) : roundDetails(round->id));
        respond(failure(http::status::not_found, "no such address in the ranking's interface"));
    } catch (const RoundStore::Unavailable& e) {
        std::fprintf(stderr, "tessaro-server: %s\n", e.what());
        respond(databaseAway());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tessaro-server: %s\n", e.what());
        respond(failure(http::status::internal_server_error, "the server could not answer this request"));
    }
}

Response Api::health()
{
    json body = {{"version", Replay::kGameVersion}, {"database", true}};
    try {
        body["rounds"] = store_.count();
    } catch (const RoundStore::Unavailable& e) {
        std::fprintf(stderr, "tessaro-server: %s\n", e.what());
        body["database"] = false;
        return answer(http::status::service_unavailable, body);
    }
    return answer(http::status::ok, body);
}

Response Api::ranking(const Request& request)
{
    const std::string_view target = request.target();
    const std::size_t mark = target.find('?');
    const std::string_view query = mark == std::string_view::npos ? std::string_view() : target.substr(mark + 1);
    const std::optional<std::int64_t> offset = parameter(query, "offset", 0);
    const std::optional<std::int64_t> limit = parameter(query, "limit", kDefaultRankingLimit);
    if (!offset || !limit || *limit < 1 || *limit > kMaxRankingLimit)
        return failure(http::status::bad_request,
                       "offset is a whole number from 0, limit one from 1 to " + std::to_string(kMaxRankingLimit));
    json rounds = json::array();
    std::int64_t rank = *offset;
    for (const StoredRound& round : store_.ranking(*offset, static_cast<int>(*limit))) {
        json row = rowOf(round);
        row["rank"] = ++rank;
        rounds.push_back(std::move(row));
    }
    return answer(http::status::ok, {{"offset", *offset}, {"of", store_.count()}, {"rounds", std::move(rounds)}});
}

Response Api::roundDetails(std::int64_t id)
{
    const std::optional<StoredRound> round = store_.round(id, false);
    if (!round)
        return failure(http::status::not_found, "no ranked round has the number " + std::to_string(id));
    const RoundStore::Placing placing = store_.placing(id);
    json body = rowOf(*round);
    body.update({{"score", round->score}, {"comboBonus", round->comboBonus}, {"clearBonus", round->clearBonus},
                 {"steps", round->steps}, {"gameVersion", round->gameVersion}, {"sha256", round->sha256},
                 {"rank", placing.rank}, {"of", placing.of}});
    return answer(http::status::ok, body);
}

Response Api::replay(std::int64_t id)
{
    std::optional<StoredRound> round = store_.round(id, true);
    if (!round)
        return failure(http::status::not_found, "no ranked round has the number " + std::to_string(id));
    Response response(http::status::ok, 11);
    response.set(http::field::content_type, "application/octet-stream");
    response.set(http::field::content_disposition, "attachment; filename=\"round-" + std::to_string(id) + ".tsr\"");
    response.body() = std::move(round->replay);
    response.prepare_payload();
    return response;
}

void Api::submit(const Request& request, const std::string& address, Respond respond)
{
    const std::string sender = senderHash(address);
    const bool taken = verifiers_.submit([this, bytes = request.body(), sender, respond](ReplayVerifier& verifier) {
        try {
            respond(judgeAndKeep(bytes, sender, verifier));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "tessaro-server: a round could not be judged: %s\n", e.what());
            respond(failure(http::status::internal_server_error, "the server could not judge this round"));
        }
    });
    if (taken)
        return;
    Response busy = retryLater(http::status::service_unavailable, "every verifier is busy; send the round again shortly",
                               kBusyRetrySeconds);
    logTurnedAway(busy, sender);
    respond(std::move(busy));
}

Response Api::judgeAndKeep(const std::string& bytes, const std::string& sender, ReplayVerifier& verifier)
{
    const auto started = std::chrono::steady_clock::now();
    RoundJudge::Judgement judgement = RoundJudge::judge(bytes, verifier);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
    Response response = failure(statusOf(judgement.verdict), judgement.reason);
    std::string said = judgement.reason;
    if (judgement.verdict == RoundJudge::Verdict::Verified) {
        try {
            StoredRound& round = judgement.round;
            round.receivedAt = std::chrono::duration_cast<std::chrono::seconds>(
                                   std::chrono::system_clock::now().time_since_epoch()).count();
            round.senderHash = sender;
            const RoundStore::Added added = store_.add(round);
            said = "kept as round " + std::to_string(added.id) + ", its rank not read";
            const RoundStore::Placing placing = store_.placing(added.id);
            response = answer(added.isNew ? http::status::created : http::status::ok,
                              {{"id", added.id}, {"name", round.name}, {"total", round.total}, {"rank", placing.rank},
                               {"of", placing.of}});
            said = (added.isNew ? "kept as round " : "sent before as round ") + std::to_string(added.id) + ", rank "
                   + std::to_string(placing.rank) + " of " + std::to_string(placing.of);
        } catch (const RoundStore::Unavailable& e) {
            response = databaseAway();
            said = (said == judgement.reason ? std::string("verified, not kept: ") : said + ": ") + e.what();
        }
    }
    std::fprintf(stderr, "round %s %d: %s; claimed %d, verified %d, %.1f ms, sender %s\n",
                 verdictWord(judgement.verdict), response.result_int(), said.c_str(), judgement.claimedTotal,
                 judgement.verifiedTotal, ms, sender.c_str());
    return response;
}
