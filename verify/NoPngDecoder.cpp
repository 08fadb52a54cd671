// The decoder of the verifier's web build, which has no image library: replaying a
// round draws nothing, so no image is ever decoded and every load finds none.
#include "platform/PngDecoder.h"

namespace platform {

bool decodePng(const std::string&, int, DecodedPng&, std::string& why)
{
    why = "this build decodes no images";
    return false;
}

}  // namespace platform
