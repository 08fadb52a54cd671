#pragma once

#include "replay/Replay.h"
#include "scenes/SceneFactory.h"

class WatchScene;

// The viewer's one scene, in the place of the title.
class WatchFactory : public SceneFactory {
public:
    explicit WatchFactory(const Replay& replay) : replay_(replay) {}
    std::unique_ptr<Scene> create(int number, Session& session) override;
    // A round to watch opens straight into the round.
    bool asksFullScreen() const override { return false; }
    // The scene it made, owned by the scenes' manager; null before.
    const WatchScene* scene() const { return scene_; }

private:
    const Replay& replay_;
    WatchScene* scene_ = nullptr;
};
