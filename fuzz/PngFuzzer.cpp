#include "FuzzFile.h"
#include "render/PngImage.h"

#include <cstdlib>

// Any bytes as an image file: refused, or decoded into exactly its pixels.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const FuzzFile file("image.png");
    file.write(data, size);
    PngImage image;
    const bool loaded = image.load(file.path());
    const std::size_t pixels = static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height());
    if (image.pixels().size() != pixels || loaded != (pixels > 0) || image.width() > PngImage::kMaxSide
        || image.height() > PngImage::kMaxSide)
        std::abort();
    return 0;
}
