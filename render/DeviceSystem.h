#pragma once

#include "platform/Device.h"
#include "platform/Platform.h"
#include "render/Sprite.h"

#include <memory>

// How a quad meets what is drawn under it, by the numbers the drawing code has always
// used for them.
enum class BlendSetup {
    Opaque = 1,         // blending off, the factors left as they were
    Alpha = 2,          // source alpha against inverse source alpha
    Additive = 3,       // one and one
    Multiply = 4,       // zero and source colour
    Premultiplied = 5,  // one and inverse source alpha
    Inverting = 6,      // inverse destination colour and inverse source alpha
    AddedTexel = 7,     // texel plus colour in the stages, the factors left as they were
};

// The program's one holder of the graphics device, with the render setups that
// every scene uses before it draws. Without a device (a round played again, where
// nothing is drawn) the setups do nothing.
class DeviceSystem {
public:
    // 0 when the device exists, 1 when none could be had.
    int initialize(platform::Platform& platform, platform::Window* window);
    int enterFullScreen();
    void setDefaultTextureStages();
    void setBlendMode(BlendSetup setup);
    // Sampler 0: the same filter for shrinking and growing.
    void setFilter(Filter filter);
    void setWrapAddressing();
    Device* device() const { return device_.get(); }
    platform::Window* windowHandle() const { return window_; }
    platform::Platform& platform() const { return *platform_; }
    // The glyph sheet every font draws from, loaded for the device by the first.
    Sprite& fontSheet();

private:
    void setStages(StageOp op);

    platform::Platform* platform_ = nullptr;
    std::unique_ptr<Device> device_;
    // Declared after the device, so that its texture goes first.
    Sprite fontSheet_;
    bool fontSheetLoaded_ = false;
    platform::Window* window_ = nullptr;
};
