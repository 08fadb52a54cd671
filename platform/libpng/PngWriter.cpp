#include "platform/libpng/PngWriter.h"

#include <png.h>

#include <cstring>

bool PngWriter::write(const std::string& path, int width, int height, const std::vector<std::uint32_t>& argb)
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
