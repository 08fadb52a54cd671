#include "NativePlatform.h"
#include "app/Program.h"

int main(int, char**)
{
    platform::NativePlatform native;
    platform::install(&native);
    Program program;
    return program.run();
}
