#include "app/Program.h"
#include "platform/sdl/SdlPlatform.h"

int main(int, char**)
{
    platform::SdlPlatform sdl;
    platform::install(&sdl);
    Program program;
    return program.run();
}
