#include "watch/RankedRoundFetcher.h"

#include "replay/RoundAddress.h"
#include "send/HttpClient.h"
#include "send/ServerAddress.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string_view>

namespace {

constexpr std::string_view kScheme = "http://";
constexpr int kOk = 200;

// The round an address's path names, its query or fragment cut off; nullopt for any other path.
std::optional<RoundAddress> roundOf(std::string_view path)
{
    return RoundAddress::parse(path.substr(0, path.find_first_of("?#")));
}

// What the server answered, unless it is the thing asked for; its own reason when it gives one.
std::optional<std::string> refusal(const HttpClient::Reply& reply)
{
    if (reply.status == kOk)
        return std::nullopt;
    const nlohmann::json body = nlohmann::json::parse(reply.body, nullptr, false);
    const std::string reason = body.is_object() && body.contains("error") && body["error"].is_string()
                                   ? ": " + body["error"].get<std::string>()
                                   : "";
    return "the world ranking answered " + std::to_string(reply.status) + reason;
}

// "world rank 3 of 42" from the round's details, or nullopt when they are no round's.
std::optional<std::string> standing(const std::string& details)
{
    const nlohmann::json body = nlohmann::json::parse(details, nullptr, false);
    const bool placed = body.is_object() && body.contains("rank") && body["rank"].is_number_integer()
                        && body.contains("of") && body["of"].is_number_integer();
    if (!placed)
        return std::nullopt;
    return "world rank " + std::to_string(body["rank"].get<std::int64_t>()) + " of "
           + std::to_string(body["of"].get<std::int64_t>());
}

RankedRoundFetcher::Outcome fetchRound(const ServerAddress& server, std::int64_t id, WatchedRound& round,
                                       std::string& why)
{
    const HttpClient client(server.host, server.port);
    const HttpClient::Reply details = client.get(RoundAddress{id, RoundAddress::Kind::Details}.path());
    if (const std::optional<std::string> refused = refusal(details)) {
        why = *refused;
        return RankedRoundFetcher::Outcome::Failed;
    }
    const std::optional<std::string> placed = standing(details.body);
    if (!placed) {
        why = "the world ranking's answer holds no ranked round";
        return RankedRoundFetcher::Outcome::Failed;
    }
    const HttpClient::Reply replay = client.get(RoundAddress{id, RoundAddress::Kind::Replay}.path());
    if (const std::optional<std::string> refused = refusal(replay)) {
        why = *refused;
        return RankedRoundFetcher::Outcome::Failed;
    }
    std::string error;
    if (!Replay::decode(replay.body, round.replay, error)) {
        why = "the world ranking sent no replay this build can show: " + error;
        return RankedRoundFetcher::Outcome::Failed;
    }
    round.standing = *placed;
    return RankedRoundFetcher::Outcome::Fetched;
}

}  // namespace

RankedRoundFetcher::Outcome RankedRoundFetcher::fetch(const std::string& url, WatchedRound& round, std::string& why)
{
    const std::optional<ServerAddress> server = ServerAddress::parse(url);
    const std::size_t path = url.find('/', kScheme.size());
    const std::optional<RoundAddress> address =
        server && path != std::string::npos ? roundOf(std::string_view(url).substr(path)) : std::nullopt;
    if (!address) {
        why = "not the address of a ranked round: http://HOST[:PORT]/rounds/ID";
        return Outcome::NotARoundAddress;
    }
    try {
        return fetchRound(*server, address->id, round, why);
    } catch (const HttpClient::Unreachable& e) {
        why = "cannot reach the world ranking: " + std::string(e.what());
        return Outcome::Failed;
    }
}
