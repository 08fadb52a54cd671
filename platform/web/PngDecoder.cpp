#include "platform/PngDecoder.h"

#include "platform/web/StbPngDecoder.h"

namespace platform {

bool decodePng(const std::string& path, int maxSide, DecodedPng& png, std::string& why)
{
    return StbPngDecoder::decode(path, maxSide, png.width, png.height, png.argb, why);
}

}  // namespace platform
