#pragma once

#include "replay/Replay.h"
#include "scenes/SceneFactory.h"

// The viewer's one scene, in the place of the title.
class WatchFactory : public SceneFactory {
public:
    explicit WatchFactory(const Replay& replay) : replay_(replay) {}
    std::unique_ptr<Scene> create(int number, Session& session) override;
    // A round to watch opens straight into the round.
    bool asksFullScreen() const override { return false; }

private:
    const Replay& replay_;
};
