#pragma once

#include "scenes/Scene.h"
#include "scenes/SceneFactory.h"

#include <memory>

class DeviceSystem;
struct Session;

// Owns the scenes for the whole run and runs the current one, one step and one
// frame at a time. A switch takes effect at the end of the step that wrote it.
class SceneManager {
public:
    ~SceneManager();
    int initialize(DeviceSystem* system, SceneFactory& factory, Session& session);
    // 1 when the scene asks to end the program.
    int update();
    int draw();

    int currentScene() const { return current_; }
    // Another scene from the next step on, entered afresh, as a scene's own switch.
    void switchTo(int number);
    Scene* scene(int number) const;

private:
    std::unique_ptr<Scene> scenes_[kSceneCount];
    DeviceSystem* system_ = nullptr;
    int current_ = 0;
    int entered_ = 0;
};
