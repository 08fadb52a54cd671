#pragma once

#include <cstdint>

class Device;

// A flat-coloured, alpha-blended rectangle: fades, veils and bands.
class SolidRect {
public:
    int initialize(Device* device);
    void draw(float x, float y, float z, float width, float height);
    void setRotation(float degrees) { rotation_ = static_cast<int>(degrees); }
    // Only the low eight bits of each value count.
    void setColor(int red, int green, int blue);
    void setAlpha(std::uint8_t alpha) { alpha_ = alpha; }
    // The whole field in one colour: fades and dimming.
    void veil(int red, int green, int blue, int alpha);

private:
    Device* device_ = nullptr;
    int red_ = 255;
    int green_ = 255;
    int blue_ = 255;
    std::uint8_t alpha_ = 255;
    int rotation_ = 0;
};
