#pragma once

#include <cstdint>
#include <string>
#include <vector>

// PNG files read by the back end's own decoder: libpng on the desktop, the Windows
// Imaging Component on Windows, stb_image in the browser. Each back end's folder
// holds its one definition of decodePng.
namespace platform {

// 32-bit ARGB pixels, top row first.
struct DecodedPng {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
};

// False for a missing, truncated or corrupt file, or an empty one or one wider or
// taller than maxSide, refused before any pixel is decoded; why then says which.
bool decodePng(const std::string& path, int maxSide, DecodedPng& png, std::string& why);

// Why a decoder refuses an image by its size.
inline std::string sideRefused(int maxSide)
{
    return "wider or taller than " + std::to_string(maxSide) + " pixels, or empty";
}

}  // namespace platform
