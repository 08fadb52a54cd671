#pragma once

#include "replay/Replay.h"
#include "tools/RoundInput.h"

// Another input passed through, and kept step by step into a replay.
class RecordingInput : public RoundInput {
public:
    explicit RecordingInput(RoundInput& recorded) : recorded_(recorded) {}

    // A new round kept into `replay`, which starts with the carry given.
    void start(Replay* replay, const Replay::Carry& carry);
    // The round finished a step. False, said on standard error, once the round runs
    // too long to be kept: nothing more is recorded then.
    bool finishStep();
    // The state's checksum after a step.
    void checkpoint(std::uint32_t stateChecksum) { replay_->checksums.push_back(stateChecksum); }

    platform::Point pointer() override;
    void pinPointer(platform::Point client) override { recorded_.pinPointer(client); }
    bool buttonDown() override;
    std::uint32_t milliseconds() override;

private:
    RoundInput& recorded_;
    Replay* replay_ = nullptr;
    // The step being read; what it did not read stays as the step before read it.
    Replay::Step current_;
};
