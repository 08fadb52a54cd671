#pragma once

#include "replay/Replay.h"
#include "tools/RoundInput.h"

// A recorded round's input served again, step by step, noting where the round being
// played departs from its recording.
class ReplayingInput : public RoundInput {
public:
    // `replay` must outlive the round.
    void start(const Replay* replay);
    // The round finished a step; reading more or fewer clock values than were
    // recorded departs.
    void finishStep();
    // The state's checksum after a step, held against the recording's.
    void checkpoint(std::uint32_t stateChecksum);
    // Steps finished in this round.
    int steps() const { return steps_; }
    // The step at which the round first departed from its recording, 0 while it agrees.
    int departedAt() const { return departedAt_; }
    // Every recorded step has been served.
    bool exhausted() const;

    platform::Point pointer() override { return played().pointer; }
    // A watched round leaves the viewer's pointer alone.
    void pinPointer(platform::Point) override {}
    bool buttonDown() override { return played().button; }
    std::uint32_t milliseconds() override;

private:
    const Replay::Step& played() const;
    void depart();

    const Replay* replay_ = nullptr;
    int clockServed_ = 0;
    int steps_ = 0;
    int departedAt_ = 0;
};
