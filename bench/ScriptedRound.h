#pragma once

#include "render/DeviceSystem.h"
#include "app/MainWindow.h"
#include "scenes/GameScene.h"
#include "platform/sim/SimPlatform.h"

#include <memory>

// A round played by a script on the simulated platform, as a player would: every
// two seconds the bomb is grabbed where it is, dragged to the next corner and let
// go, so that it swings through the enemies the stage releases. The clock runs
// 16 ms a step, so the release schedule walks through its bands; a round that
// ends starts again.
class ScriptedRound {
public:
    // The round runs on the platform given; it may make the device.
    explicit ScriptedRound(std::unique_ptr<platform::SimPlatform> platform);

    void step();
    GameScene& scene() { return scene_; }
    Device* device() const { return system_.device(); }

    long long steps() const { return steps_; }
    // Averages over the steps run so far.
    double enemies() const { return steps_ == 0 ? 0 : static_cast<double>(enemySum_) / steps_; }
    double flyingShare() const { return steps_ == 0 ? 0 : static_cast<double>(flyingSteps_) / steps_; }
    int peakEnemies() const { return peakEnemies_; }

private:
    void play(int phase);

    std::unique_ptr<platform::SimPlatform> sim_;
    MainWindow window_{*sim_};
    DeviceSystem system_;
    int sceneNumber_ = kGameScene;
    Session session_;
    GameScene scene_{session_};
    int corner_ = 0;
    long long steps_ = 0;
    long long enemySum_ = 0;
    long long flyingSteps_ = 0;
    int peakEnemies_ = 0;
};
