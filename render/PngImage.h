#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A PNG file as 32-bit ARGB pixels, top row first.
class PngImage {
public:
    // Larger images are refused before any pixel is decoded.
    static constexpr int kMaxSide = 4096;

    // False for a missing, truncated, corrupt or oversized file; the image is then empty.
    bool load(const std::string& path);
    static bool save(const std::string& path, int width, int height, const std::vector<std::uint32_t>& argb);

    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<std::uint32_t>& pixels() const { return pixels_; }
    std::vector<std::uint32_t>& pixels() { return pixels_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};
