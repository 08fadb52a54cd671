#include "replay/Replay.h"
#include "replay/ReplayStore.h"
#include "replay/RoundAddress.h"
#include "send/HttpClient.h"
#include "send/ServerAddress.h"

#include "platform/WholeFile.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kAllRanked = 0;
constexpr int kNotAllRanked = 1;
constexpr int kUsageError = 2;

constexpr const char* kUsage = "usage: tessaro-send URL [FILE...]\n";

void printHelp()
{
    std::printf("%s", kUsage);
    std::printf("Sends replays to the world ranking at URL (http://HOST:PORT), which plays each again before it "
                "ranks it, and prints each one's world rank or why it was not ranked. Without FILE, sends the "
                "latest round kept in %s. Exits with 0 only when every round is ranked.\n",
                ReplayStore::folder().c_str());
}

// What the server said, in one line; throws nlohmann::json::exception for an answer of
// another shape.
std::string verdictOf(const HttpClient::Reply& reply, const ServerAddress& server)
{
    const nlohmann::json body = nlohmann::json::parse(reply.body);
    if (reply.status == 200 || reply.status == 201) {
        const RoundAddress page{body.value("id", std::int64_t{0}), RoundAddress::Kind::Page};
        return "world rank " + std::to_string(body.value("rank", 0)) + " of " + std::to_string(body.value("of", 0))
               + (reply.status == 200 ? " (sent before)" : "") + ": " + server.origin() + page.path();
    }
    const std::string why = body.value("error", "no reason given");
    return "not ranked (" + std::to_string(reply.status) + "): " + why;
}

std::string verdict(const HttpClient::Reply& reply, const ServerAddress& server)
{
    try {
        return verdictOf(reply, server);
    } catch (const nlohmann::json::exception&) {
        return "the answer (" + std::to_string(reply.status) + ") cannot be read: is this a world ranking?";
    }
}

// True when the file's round is ranked.
bool sendFile(const HttpClient& client, const ServerAddress& server, const std::string& path)
{
    std::string bytes;
    std::string why;
    Replay replay;
    if (!Replay::readFile(path, replay, why)) {
        std::printf("%s: not sent: %s\n", path.c_str(), why.c_str());
        return false;
    }
    readWholeFile(path, bytes, why);
    const HttpClient::Reply reply = client.post("/api/rounds", bytes);
    std::printf("%s: %s\n", path.c_str(), verdict(reply, server).c_str());
    return reply.status == 200 || reply.status == 201;
}

std::vector<std::string> filesToSend(int argc, char** argv)
{
    std::vector<std::string> files(argv + 2, argv + argc);
    if (files.empty()) {
        const std::vector<int> kept = ReplayStore::numbers();
        if (!kept.empty())
            files.push_back(ReplayStore::path(kept.back()));
    }
    return files;
}

}  // namespace

// tessaro-send URL [FILE...]: sends replays to a world ranking and prints their ranks.
int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--help") == 0) {
        printHelp();
        return kAllRanked;
    }
    if (argc < 2) {
        std::fprintf(stderr, "%s", kUsage);
        return kUsageError;
    }
    const std::optional<ServerAddress> server = ServerAddress::parse(argv[1]);
    if (!server) {
        std::fprintf(stderr, "tessaro-send: %s is not an http://HOST[:PORT] address\n%s", argv[1], kUsage);
        return kUsageError;
    }
    const std::vector<std::string> files = filesToSend(argc, argv);
    if (files.empty()) {
        std::fprintf(stderr, "tessaro-send: no round is kept in %s yet: play one first\n", ReplayStore::folder().c_str());
        return kNotAllRanked;
    }
    const HttpClient client(server->host, server->port);
    int notRanked = 0;
    try {
        for (const std::string& file : files)
            notRanked += sendFile(client, *server, file) ? 0 : 1;
    } catch (const HttpClient::Unreachable& e) {
        std::fprintf(stderr, "tessaro-send: cannot reach the world ranking at %s: %s\n", argv[1], e.what());
        return kNotAllRanked;
    }
    return notRanked == 0 ? kAllRanked : kNotAllRanked;
}
