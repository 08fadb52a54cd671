#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A PNG file as 32-bit ARGB pixels, top row first, read by the back end's decoder.
class PngImage {
public:
    // Larger images are refused before any pixel is decoded.
    static constexpr int kMaxSide = 4096;

    // False for a missing, truncated, corrupt or oversized file; the image is then empty
    // and error() says why.
    bool load(const std::string& path);

    const std::string& error() const { return error_; }
    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<std::uint32_t>& pixels() const { return pixels_; }
    std::vector<std::uint32_t>& pixels() { return pixels_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
    std::string error_;

    void clear()
    {
        width_ = height_ = 0;
        pixels_.clear();
        error_.clear();
    }
    // Empties the image and keeps why; always false.
    bool refuse(std::string why)
    {
        clear();
        error_ = std::move(why);
        return false;
    }
};
