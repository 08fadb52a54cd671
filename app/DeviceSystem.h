#pragma once

#include "platform/Device.h"
#include "platform/Platform.h"

#include <memory>

// The program's one holder of the graphics device, with the render setups that
// every scene uses before it draws.
class DeviceSystem {
public:
    // 0 when the device exists, 1 when none could be had.
    int initialize(platform::Window* window);
    int enterFullScreen();
    void setDefaultTextureStages();
    // 1 opaque, 2 alpha blending, 3 additive, 4 multiply, 5 premultiplied, 6, 7 texel plus colour.
    void setBlendMode(int mode);
    // Sampler 0: the same filter for shrinking and growing.
    void setFilter(Filter filter);
    void setWrapAddressing();
    Device* device() const { return device_.get(); }
    platform::Window* windowHandle() const { return window_; }

private:
    void setStages(StageOp op);

    std::unique_ptr<Device> device_;
    platform::Window* window_ = nullptr;
};
