#pragma once

#include "render/DeviceSystem.h"
#include "scenes/SceneFactory.h"
#include "scenes/SceneManager.h"
#include "scenes/Session.h"

// Ties the device, the scenes and what they share together.
class Application {
public:
    // 0 ready, 1 when no device could be had (nothing is asked then).
    int initialize(platform::Platform& platform, platform::Window* window, SceneFactory& factory);
    // 1 when the program is to end.
    int update();
    int draw();
    platform::Window* windowHandle() const { return system_.windowHandle(); }

    DeviceSystem& system() { return system_; }
    const SceneManager& scenes() const { return scenes_; }
    SceneManager& scenes() { return scenes_; }
    const Session& session() const { return session_; }
    Session& session() { return session_; }

private:
    DeviceSystem system_;
    Session session_;
    SceneManager scenes_;
};
