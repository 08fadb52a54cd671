#pragma once

#include <cstdint>

// A texture made by a device. Its owner holds it by shared pointer, so a texture
// may outlive the device that made it without harm.
class Texture {
public:
    Texture(int width, int height);
    virtual ~Texture() = default;
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    // Unique over the whole run, unlike an address that may be reused.
    std::uint64_t id() const { return id_; }

private:
    int width_;
    int height_;
    std::uint64_t id_;
};
