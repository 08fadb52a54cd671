#include "platform/web/StbPngDecoder.h"
#include "render/PngImage.h"

bool PngImage::load(const std::string& path)
{
    width_ = height_ = 0;
    pixels_.clear();
    return StbPngDecoder::decode(path, kMaxSide, width_, height_, pixels_);
}
