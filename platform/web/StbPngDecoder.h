#pragma once

#include <cstdint>
#include <string>
#include <vector>

// PNG files decoded by stb_image, compiled with the game: the browser build's decoder,
// which must give the same pixels as libpng gives the desktop build.
class StbPngDecoder {
public:
    // ARGB words, top row first. False for a missing, corrupt or truncated file, or one
    // wider or taller than maxSide, which is refused before any pixel is decoded; why
    // then says which.
    static bool decode(const std::string& path, int maxSide, int& width, int& height,
                       std::vector<std::uint32_t>& argb, std::string& why);
};
