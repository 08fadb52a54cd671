#pragma once

#include "base/Field.h"
#include "platform/gl/GlDevice.h"

#include <SDL.h>

#include <memory>
#include <string>

// An OpenGL device with no window on the screen, on SDL's off-screen video driver:
// for pictures of recorded frames, and for tests and benchmarks of the device.
class OffscreenGl {
public:
    // An output of another size than the field's holds the picture letterboxed.
    explicit OffscreenGl(int width = field::kWidth, int height = field::kHeight);
    ~OffscreenGl();
    OffscreenGl(const OffscreenGl&) = delete;
    OffscreenGl& operator=(const OffscreenGl&) = delete;

    // Null when no 3.3 core context could be had; error() then says why.
    GlDevice* device() const { return device_.get(); }
    // Hands the device over to an owner that goes before this object does.
    std::unique_ptr<GlDevice> takeDevice() { return std::move(device_); }
    const std::string& error() const { return error_; }

private:
    bool videoStarted_ = false;
    SDL_Window* window_ = nullptr;
    std::unique_ptr<GlDevice> device_;
    std::string error_;
};
