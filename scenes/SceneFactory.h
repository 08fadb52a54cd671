#pragma once

#include "scenes/Scene.h"

#include <memory>

struct Session;

// Builds the scene of a number, empty; null for a number without a scene.
class SceneFactory {
public:
    virtual ~SceneFactory() = default;
    virtual std::unique_ptr<Scene> create(int number, Session& session);
    // Whether the program asks to run full screen before its first scene.
    virtual bool asksFullScreen() const { return true; }
};
