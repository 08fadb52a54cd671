#pragma once

#include "platform/Device.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// This build's own device, with nothing on the screen, and the picture it drew:
// OpenGL off screen on the desktop, Direct3D 9 behind a hidden window on Windows.
class Canvas {
public:
    Canvas();
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Null when the device could not be made; error() then says why.
    Device* device() const;
    const std::string& error() const { return error_; }
    // The 640 x 480 picture drawn so far, ARGB, top row first; empty if unreadable.
    std::vector<std::uint32_t> picture();

private:
    struct Backend;
    std::unique_ptr<Backend> backend_;
    std::string error_;
};
