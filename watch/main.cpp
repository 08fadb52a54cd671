#include "NativePlatform.h"
#include "app/Program.h"
#include "replay/Replay.h"
#include "watch/WatchFactory.h"

#include <cstdio>
#include <string>

// tessaro-watch FILE: shows a replay in the game's window at the speed it was played.
// Escape or closing the window ends it early.
int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tessaro-watch FILE\n");
        return 2;
    }
    Replay replay;
    std::string error;
    if (!Replay::readFile(argv[1], replay, error)) {
        std::fprintf(stderr, "tessaro-watch: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    platform::NativePlatform native;
    WatchFactory factory(replay);
    Program program(native, factory);
    return program.run();
}
