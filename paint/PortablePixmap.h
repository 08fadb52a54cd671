#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Pictures as binary portable pixmaps (P6, 8 bits a channel): written and read the
// same by every build, with no image library, and opened by any image viewer.
class PortablePixmap {
public:
    static bool save(const std::string& path, int width, int height, const std::vector<std::uint32_t>& argb);
    // False when the file is missing or not a whole 8-bit P6 picture.
    bool load(const std::string& path);

    int width() const { return width_; }
    int height() const { return height_; }
    // Opaque ARGB, top row first.
    const std::vector<std::uint32_t>& pixels() const { return pixels_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};
