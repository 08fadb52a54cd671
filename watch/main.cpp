#include "NativePlatform.h"
#include "app/Program.h"
#include "replay/Replay.h"
#include "scenes/WatchFactory.h"
#include "scenes/WatchScene.h"
#include "watch/RankedRoundFetcher.h"
#include "watch/WatchedRound.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int kHelped = 0;
constexpr int kShown = 0;
constexpr int kUnreadable = 1;
constexpr int kUsageError = 2;

constexpr const char* kUsage = "usage: tessaro-watch FILE|URL\n";

void printHelp()
{
    std::printf("%s", kUsage);
    std::printf("Shows a replay in the game's window at the speed it was played: a replay file, or a round of a "
                "world ranking by its address, http://HOST[:PORT]/rounds/ID. Escape or closing the window ends it "
                "early. At the end it prints how the round ended and its total, or that it was stopped early. Exits "
                "with 1 when the replay cannot be read or fetched.\n");
}

// An address names its scheme; a file name never does.
bool isAddress(const std::string& argument) { return argument.find("://") != std::string::npos; }

int readRound(const std::string& path, WatchedRound& round)
{
    std::string error;
    if (Replay::readFile(path, round.replay, error))
        return kShown;
    std::fprintf(stderr, "tessaro-watch: %s: %s\n", path.c_str(), error.c_str());
    return kUnreadable;
}

int fetchRound(const std::string& url, WatchedRound& round)
{
    std::string why;
    switch (RankedRoundFetcher::fetch(url, round, why)) {
    case RankedRoundFetcher::Outcome::Fetched: return kShown;
    case RankedRoundFetcher::Outcome::NotARoundAddress:
        std::fprintf(stderr, "tessaro-watch: %s is %s\n%s", url.c_str(), why.c_str(), kUsage);
        return kUsageError;
    case RankedRoundFetcher::Outcome::Failed: break;
    }
    std::fprintf(stderr, "tessaro-watch: cannot fetch %s: %s\n", url.c_str(), why.c_str());
    return kUnreadable;
}

// Shows the round, then says how it ended.
int show(const WatchedRound& round)
{
    platform::NativePlatform native;
    WatchFactory factory(round.replay);
    Program program(native, factory, round.windowTitle());
    if (program.run() != 0)
        return Program::kCannotStart;
    std::printf("%s\n", round.ending(*factory.scene()).c_str());
    return kShown;
}

}  // namespace

// tessaro-watch FILE|URL: shows a replay, from a file or a world ranking, in the game's window.
int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        printHelp();
        return kHelped;
    }
    if (argc != 2) {
        std::fprintf(stderr, "%s", kUsage);
        return kUsageError;
    }
    WatchedRound round;
    const std::string source = argv[1];
    const int loaded = isAddress(source) ? fetchRound(source, round) : readRound(source, round);
    return loaded == kShown ? show(round) : loaded;
}
