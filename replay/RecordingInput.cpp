#include "replay/RecordingInput.h"

#include <cstdio>

void RecordingInput::start(Replay* replay, const Replay::Carry& carry)
{
    replay_ = replay;
    replay_->result = Replay::Result{};
    replay_->carry = carry;
    replay_->steps.clear();
    replay_->checksums.clear();
    current_ = Replay::Step{};
}

bool RecordingInput::finishStep()
{
    replay_->steps.push_back(current_);
    current_.clockReads = 0;
    if (replay_->steps.size() < static_cast<std::size_t>(Replay::kMaxSteps))
        return true;
    std::fprintf(stderr, "tessaro: replay not kept: the round runs longer than %d steps\n", Replay::kMaxSteps);
    return false;
}

platform::Point RecordingInput::pointer()
{
    current_.pointer = recorded_.pointer();
    return current_.pointer;
}

bool RecordingInput::buttonDown()
{
    current_.button = recorded_.buttonDown();
    return current_.button;
}

std::uint32_t RecordingInput::milliseconds()
{
    const std::uint32_t now = recorded_.milliseconds();
    if (current_.clockReads < Replay::kMaxClockReads)
        current_.clock[current_.clockReads++] = now;
    return now;
}
