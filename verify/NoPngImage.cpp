// PngImage for the verifier's web build, which has no image library: replaying a
// round draws nothing, so no image is ever decoded and every load finds none.
#include "render/PngImage.h"

bool PngImage::load(const std::string&)
{
    return refuse("this build decodes no images");
}

bool PngImage::save(const std::string&, int, int, const std::vector<std::uint32_t>&) { return false; }
