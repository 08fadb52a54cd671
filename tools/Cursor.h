#pragma once

#include "platform/Platform.h"
#include "render/Sprite.h"
#include "tools/LiveInput.h"

class DeviceSystem;

// The pointer the player sees; it also keeps the system pointer inside the window.
class Cursor {
public:
    void initialize(DeviceSystem* system, platform::Window* window);
    // Reads the pointer, clamps it to 0..640 and 0..480, pins the system pointer there
    // and draws: the player's own, or a round's.
    void updateAndDraw() { updateAndDraw(live_); }
    void updateAndDraw(RoundInput& input);

private:
    Sprite sprite_;
    LiveInput live_;
};
