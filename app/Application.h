#pragma once

#include "app/DeviceSystem.h"
#include "scenes/SceneFactory.h"
#include "scenes/SceneManager.h"

// Ties the device and the scenes together.
class Application {
public:
    // 0 ready, 1 when no device could be had (nothing is asked then).
    int initialize(platform::Window* window, SceneFactory& factory);
    // 1 when the program is to end.
    int update();
    int draw();
    platform::Window* windowHandle() const { return system_.windowHandle(); }

    DeviceSystem& system() { return system_; }
    const SceneManager& scenes() const { return scenes_; }
    SceneManager& scenes() { return scenes_; }

private:
    DeviceSystem system_;
    SceneManager scenes_;
};
