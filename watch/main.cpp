#include "NativePlatform.h"
#include "app/Program.h"
#include "replay/Replay.h"
#include "scenes/WatchFactory.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int kHelped = 0;
constexpr int kUnreadable = 1;
constexpr int kUsageError = 2;

constexpr const char* kUsage = "usage: tessaro-watch FILE\n";

void printHelp()
{
    std::printf("%s", kUsage);
    std::printf("Shows a replay in the game's window at the speed it was played; Escape or "
                "closing the window ends it early.\n");
}

}  // namespace

// tessaro-watch FILE: shows a replay in the game's window.
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
    Replay replay;
    std::string error;
    if (!Replay::readFile(argv[1], replay, error)) {
        std::fprintf(stderr, "tessaro-watch: %s: %s\n", argv[1], error.c_str());
        return kUnreadable;
    }
    platform::NativePlatform native;
    WatchFactory factory(replay);
    Program program(native, factory);
    return program.run();
}
