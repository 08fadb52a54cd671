// The portable pixmap reader on any bytes: it refuses them or reads a picture of
// the size its header gives, which writes back to the same bytes.
#include "FuzzFile.h"
#include "paint/PortablePixmap.h"

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fault(const char* what)
{
    std::fprintf(stderr, "pixmap fuzz: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const FuzzFile input("input.ppm");
    static const FuzzFile output("output.ppm");
    input.write(data, size);
    PortablePixmap picture;
    if (!picture.load(input.path()))
        return 0;
    if (picture.pixels().size() != static_cast<std::size_t>(picture.width()) * picture.height())
        fault("a picture of another size than its header's");
    PortablePixmap again;
    if (!PortablePixmap::save(output.path(), picture.width(), picture.height(), picture.pixels()) ||
        !again.load(output.path()) || again.pixels() != picture.pixels())
        fault("a picture written back reads differently");
    return 0;
}
