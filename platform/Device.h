#pragma once

#include "platform/DeviceState.h"
#include "platform/SpriteVertex.h"
#include "platform/Texture.h"

#include <cstdint>
#include <memory>

// The graphics card, shaped like the small part of a fixed-function device that the
// game uses. The setters only keep state; each back end reads it when it draws.
class Device {
public:
    Device() = default;
    virtual ~Device() = default;
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // Pixels are 32-bit ARGB, row by row from the top. Null when the device cannot.
    virtual std::shared_ptr<Texture> createTexture(int width, int height,
                                                   const std::uint32_t* argb) = 0;
    virtual void beginScene() = 0;
    virtual void endScene() = 0;
    // False when the frame could not be shown; the caller then resets.
    virtual bool present() = 0;
    virtual void reset() = 0;
    // Clears target and depth of the whole 640 x 480 picture.
    virtual void clear(std::uint32_t argb) = 0;
    // Four vertices, top-left, top-right, bottom-right, bottom-left.
    virtual void drawFan(const SpriteVertex (&vertices)[4]) = 0;

    void setRenderState(RenderState state, std::uint32_t value);
    void setStageState(StageState state, std::uint32_t value);
    void setSamplerState(SamplerState state, std::uint32_t value);
    void setTexture(const Texture* texture) { state_.texture = texture; }

    const DeviceState& state() const { return state_; }

protected:
    DeviceState state_;
};
