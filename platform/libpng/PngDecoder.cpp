#include "platform/PngDecoder.h"

#include <png.h>

#include <cstring>

namespace platform {

bool decodePng(const std::string& path, int maxSide, DecodedPng& png, std::string& why)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        why = image.message;
        return false;
    }
    const auto most = static_cast<png_uint_32>(maxSide);
    if (image.width == 0 || image.height == 0 || image.width > most || image.height > most) {
        png_image_free(&image);
        why = sideRefused(maxSide);
        return false;
    }
    // BGRA bytes are ARGB words on a little-endian machine.
    image.format = PNG_FORMAT_BGRA;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(image.width) * image.height);
    if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) {
        png_image_free(&image);
        why = image.message;
        return false;
    }
    png.width = static_cast<int>(image.width);
    png.height = static_cast<int>(image.height);
    png.argb = std::move(pixels);
    return true;
}

}  // namespace platform
