#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes 32-bit ARGB pixels, top row first, as a PNG file: for the desktop's tools,
// which draw the images, shoot frames and keep the pictures that differ.
class PngWriter {
public:
    // False when the pixels do not fill width x height or the file cannot be written.
    static bool write(const std::string& path, int width, int height, const std::vector<std::uint32_t>& argb);
};
