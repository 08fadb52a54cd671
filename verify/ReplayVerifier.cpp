#include "verify/ReplayVerifier.h"

#include "base/Field.h"

ReplayVerifier::ReplayVerifier()
{
    // A round played again draws nothing: with no device, no image is decoded either.
    platform_.withholdDevice(true);
    system_.initialize(platform_, platform_.createWindow(field::kWidth, field::kHeight, "", nullptr));
    scene_.initialize(&system_, &sceneNumber_);
}

ReplayVerifier::Outcome ReplayVerifier::verify(const Replay& replay)
{
    sceneNumber_ = kGameScene;
    scene_.playBack(&replay);
    scene_.enter();
    const ReplayingInput& round = scene_.replayed();
    while (sceneNumber_ == kGameScene && !round.exhausted())
        scene_.update();
    Outcome outcome;
    outcome.recordedTotal = replay.result.total;
    outcome.replayed = replay.result;
    outcome.replayed.score = scene_.panel().score();
    outcome.replayed.comboBonus = scene_.comboBonus();
    outcome.replayed.clearBonus = scene_.clearBonus();
    outcome.replayed.total = scene_.total();
    outcome.replayed.endKind = scene_.endKind();
    outcome.departedAt = round.departedAt();
    // Ending early or not at all departs as much as any checksum.
    const bool endedOnTime = sceneNumber_ != kGameScene && round.exhausted();
    if (outcome.departedAt == 0 && !endedOnTime)
        outcome.departedAt = round.steps() + (sceneNumber_ == kGameScene ? 1 : 0);
    return outcome;
}
