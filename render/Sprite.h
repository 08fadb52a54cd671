#pragma once

#include <cstdint>
#include <memory>

class Device;
class Texture;

// One texture and the state it is drawn with; every image and glyph is one quad.
// The declared texture size, not the image's, maps source pixels to the texture.
class Sprite {
public:
    // Texels of the key colour become transparent black. 0 on success.
    int loadWithColorKey(Device* device, const char* fileName, std::uint32_t colorKey);
    int load(Device* device, const char* fileName);
    int attach(Device* device, std::shared_ptr<Texture> texture);
    void draw(float x, float y, float z, float width, float height, float sourceX, float sourceY,
              float sourceWidth, float sourceHeight);
    void drawWhole(float x, float y, float z, float width, float height);
    void resetState();
    const Texture* texture() const { return texture_.get(); }
    void setColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    void setAlpha(std::uint8_t alpha) { alpha_ = alpha; }
    // Whole degrees, truncated toward zero.
    void setRotation(float degrees) { rotation_ = static_cast<int>(degrees); }
    void setScale(float scale) { scale_ = scale; }
    void setTextureSize(int width, int height);

    Device* device() const { return device_; }
    int rotation() const { return rotation_; }

private:
    int loadFile(Device* device, const char* fileName, const std::uint32_t* colorKey);

    Device* device_ = nullptr;
    std::shared_ptr<Texture> texture_;
    std::uint8_t red_ = 255;
    std::uint8_t green_ = 255;
    std::uint8_t blue_ = 255;
    std::uint8_t alpha_ = 255;
    float scale_ = 1.0f;
    int rotation_ = 0;
    int textureWidth_ = 0;
    int textureHeight_ = 0;
};
