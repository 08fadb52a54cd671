#pragma once

#include "scenes/GameScene.h"
#include "replay/Replay.h"
#include "scenes/Scene.h"

// A replay shown as its round was played, drawn by the round itself at the real
// speed; the program ends when the round hands its total over.
class WatchScene : public Scene {
public:
    WatchScene(const Replay& replay, Session& session) : replay_(replay), round_(session) {}
    int initialize(DeviceSystem* system, int* sceneNumber) override;
    int enter() override;
    // 1 once the round is over.
    int update() override;
    int draw() override { return round_.draw(); }

    // Whether the round was shown to its end, rather than closed before it.
    bool finished() const { return finished_; }
    const GameScene& round() const { return round_; }

private:
    const Replay& replay_;
    GameScene round_;
    int roundScene_ = kGameScene;
    bool finished_ = false;
};
