#include "app/Program.h"
#include "app/StateLine.h"
#include "platform/web/PageBridge.h"
#include "platform/web/WebPlatform.h"
#include "replay/Replay.h"
#include "scenes/WatchFactory.h"

#include <emscripten.h>

#include <cstdio>
#include <string>

namespace {
platform::WebPlatform* web = nullptr;
Program* program = nullptr;

// The page was opened at a ranked round's address: that round, played again in the
// canvas. Kept after it ends, so that the page can still read how it ended.
void watch(platform::WebPlatform& platform)
{
    static Replay replay;
    std::string error;
    if (!Replay::readFile(kWatchedReplay, replay, error)) {
        std::fprintf(stderr, "Tessaro: the round to watch cannot be played: %s\n", error.c_str());
        return;
    }
    static WatchFactory factory(replay);
    static Program watching(platform, factory);
    program = &watching;
    watching.run();
}
}  // namespace

// The page asks what the simulator's state command prints (window.tessaro.state()).
extern "C" EMSCRIPTEN_KEEPALIVE const char* tessaro_state()
{
    static std::string line;
    line = program != nullptr ? StateLine::describe(program->application(), web->steps()) : "";
    return line.c_str();
}

// The browser's entry: the ranking file is already read in from the browser's storage.
int main()
{
    static platform::WebPlatform platform;
    web = &platform;
    if (tessaro_watching() != 0) {
        watch(platform);
    } else {
        static Program game(platform);
        program = &game;
        game.run();
    }
    tessaro_ended();
    return 0;
}
