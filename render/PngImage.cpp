#include "render/PngImage.h"

#include <png.h>

#include <cstring>

bool PngImage::load(const std::string& path)
{
    clear();
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0)
        return refuse(image.message);
    if (image.width == 0 || image.height == 0 || image.width > kMaxSide || image.height > kMaxSide) {
        png_image_free(&image);
        return refuse(sizeRefused());
    }
    // BGRA bytes are ARGB words on a little-endian machine.
    image.format = PNG_FORMAT_BGRA;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(image.width) * image.height);
    if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) {
        png_image_free(&image);
        return refuse(image.message);
    }
    width_ = static_cast<int>(image.width);
    height_ = static_cast<int>(image.height);
    pixels_ = std::move(pixels);
    return true;
}

bool PngImage::save(const std::string& path, int width, int height, const std::vector<std::uint32_t>& argb)
{
    if (width <= 0 || height <= 0 || argb.size() != static_cast<std::size_t>(width) * height)
        return false;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_BGRA;
    return png_image_write_to_file(&image, path.c_str(), 0, argb.data(), 0, nullptr) != 0;
}
