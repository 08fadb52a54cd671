#include "render/PngImage.h"

#include "platform/PngDecoder.h"

bool PngImage::load(const std::string& path)
{
    clear();
    platform::DecodedPng png;
    std::string why;
    if (!platform::decodePng(path, kMaxSide, png, why))
        return refuse(std::move(why));
    width_ = png.width;
    height_ = png.height;
    pixels_ = std::move(png.argb);
    return true;
}
