#pragma once

#include "platform/Platform.h"
#include "render/Sprite.h"

class DeviceSystem;

// The pointer the player sees; it also keeps the system pointer inside the window.
class Cursor {
public:
    void initialize(DeviceSystem* system, platform::Window* window);
    // Reads, clamps to 0..640 and 0..480, pins the system pointer there and draws.
    void updateAndDraw();

private:
    Sprite sprite_;
    platform::Window* window_ = nullptr;
};
