#pragma once

#include "render/DeviceSystem.h"
#include "scenes/GameScene.h"
#include "platform/sim/SimPlatform.h"
#include "replay/Replay.h"

// Plays replays again through the game's own round, with no window and no graphics
// device, as fast as the machine allows.
class ReplayVerifier {
public:
    struct Outcome {
        int recordedTotal = 0;
        // The first step at which the round departed from its recording; 0 if none.
        int departedAt = 0;
        // The result the round came to when played again (its name is the recording's).
        Replay::Result replayed;
        bool agrees() const { return departedAt == 0 && recordedTotal == replayed.total; }
    };

    // Each verifier has its own simulated platform and its own session, so verifiers
    // on different threads never meet.
    ReplayVerifier();
    ReplayVerifier(const ReplayVerifier&) = delete;
    ReplayVerifier& operator=(const ReplayVerifier&) = delete;

    Outcome verify(const Replay& replay);

private:
    platform::SimPlatform platform_;
    DeviceSystem system_;
    Session session_;
    GameScene scene_{session_};
    int sceneNumber_ = kGameScene;
};
