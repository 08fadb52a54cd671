#include "NativePlatform.h"
#include "app/Program.h"

int main(int, char**)
{
    platform::NativePlatform native;
    Program program(native);
    return program.run();
}
