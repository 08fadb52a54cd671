#include "sim/Script.h"

#include <cstdlib>
#include <string>

// Any bytes as a simulator script: read, or refused with a message naming a line.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Script script;
    std::string error;
    if (!script.parse(std::string(reinterpret_cast<const char*>(data), size), error)) {
        if (error.rfind("line ", 0) != 0)
            std::abort();
        return 0;
    }
    int line = 0;
    for (const Script::Command& command : script.commands()) {
        if (command.line < line || (command.kind == Script::Kind::Steps && command.a < 0))
            std::abort();
        line = command.line;
    }
    return 0;
}
