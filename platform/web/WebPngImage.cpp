#include "platform/web/StbPngDecoder.h"
#include "render/PngImage.h"

bool PngImage::load(const std::string& path)
{
    std::string why;
    clear();
    return StbPngDecoder::decode(path, kMaxSide, width_, height_, pixels_, why) || refuse(why);
}
