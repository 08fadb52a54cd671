#include "app/Program.h"
#include "app/StateLine.h"
#include "platform/web/PageBridge.h"
#include "platform/web/WebPlatform.h"

#include <emscripten.h>

#include <string>

namespace {
platform::WebPlatform* web = nullptr;
Program* program = nullptr;
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
    static Program game(platform);
    program = &game;
    game.run();
    tessaro_ended();
    return 0;
}
