#include "paint/PortablePixmap.h"

#include <fstream>

namespace {

constexpr int kLongestSide = 8192;
constexpr int kChannelMax = 255;

}  // namespace

bool PortablePixmap::save(const std::string& path, int width, int height, const std::vector<std::uint32_t>& argb)
{
    if (width <= 0 || height <= 0 || argb.size() != static_cast<std::size_t>(width) * height)
        return false;
    std::string bytes = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n" +
                        std::to_string(kChannelMax) + "\n";
    bytes.reserve(bytes.size() + argb.size() * 3);
    for (std::uint32_t pixel : argb) {
        bytes.push_back(static_cast<char>((pixel >> 16) & 0xFFu));
        bytes.push_back(static_cast<char>((pixel >> 8) & 0xFFu));
        bytes.push_back(static_cast<char>(pixel & 0xFFu));
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return static_cast<bool>(file);
}

bool PortablePixmap::load(const std::string& path)
{
    width_ = height_ = 0;
    pixels_.clear();
    std::ifstream file(path, std::ios::binary);
    char magic[2] = {};
    int width = 0;
    int height = 0;
    int channelMax = 0;
    file.read(magic, sizeof magic);
    file >> width >> height >> channelMax;
    // One whitespace byte ends the header.
    file.get();
    if (!file || magic[0] != 'P' || magic[1] != '6' || channelMax != kChannelMax || width <= 0 || height <= 0 ||
        width > kLongestSide || height > kLongestSide)
        return false;
    // The pixels must be all that is left: nothing is made for a picture the file does not hold.
    const std::streamoff start = file.tellg();
    file.seekg(0, std::ios::end);
    const std::size_t size = static_cast<std::size_t>(width) * height * 3;
    if (!file || file.tellg() - start != static_cast<std::streamoff>(size))
        return false;
    file.seekg(start);
    std::vector<unsigned char> rgb(size);
    file.read(reinterpret_cast<char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
    if (!file)
        return false;
    pixels_.resize(rgb.size() / 3);
    for (std::size_t i = 0; i < pixels_.size(); ++i)
        pixels_[i] = 0xFF000000u | (static_cast<std::uint32_t>(rgb[3 * i]) << 16) |
                     (static_cast<std::uint32_t>(rgb[3 * i + 1]) << 8) | rgb[3 * i + 2];
    width_ = width;
    height_ = height;
    return true;
}
