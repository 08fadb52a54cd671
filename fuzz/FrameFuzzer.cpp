// The frame file reader on any bytes: it refuses them with a reason or reads them
// whole, and what it reads writes back to a file that reads the same.
#include "FuzzFile.h"
#include "platform/record/FrameFile.h"

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fault(const char* what)
{
    std::fprintf(stderr, "frame fuzz: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const FuzzFile input("input.frame");
    static const FuzzFile output("output.frame");
    input.write(data, size);
    RecordingDevice textures;
    FrameFile frame;
    std::string error;
    if (!frame.load(input.path(), textures, error)) {
        if (error.empty() || !frame.commands().empty())
            fault("refused without a reason, or with commands kept");
        return 0;
    }
    if (!FrameFile::save(output.path(), textures, frame.commands(), error))
        fault("a frame read could not be written back");
    FrameFile again;
    if (!again.load(output.path(), textures, error) || again.commands().size() != frame.commands().size())
        fault("a frame written back reads differently");
    return 0;
}
