#include "replay/ReplayingInput.h"

void ReplayingInput::start(const Replay* replay)
{
    replay_ = replay;
    clockServed_ = 0;
    steps_ = 0;
    departedAt_ = 0;
}

bool ReplayingInput::exhausted() const
{
    return replay_ == nullptr || static_cast<std::size_t>(steps_) >= replay_->steps.size();
}

// Past the last recorded step the last one is served again; the round has departed then.
const Replay::Step& ReplayingInput::played() const
{
    const std::size_t last = replay_->steps.size() - 1;
    return replay_->steps[static_cast<std::size_t>(steps_) < last ? static_cast<std::size_t>(steps_) : last];
}

void ReplayingInput::depart()
{
    if (departedAt_ == 0)
        departedAt_ = steps_ + 1;
}

void ReplayingInput::finishStep()
{
    if (exhausted() || clockServed_ != played().clockReads)
        depart();
    clockServed_ = 0;
    ++steps_;
}

void ReplayingInput::checkpoint(std::uint32_t stateChecksum)
{
    const std::size_t index = static_cast<std::size_t>(steps_ / Replay::kChecksumInterval) - 1;
    if (index >= replay_->checksums.size() || replay_->checksums[index] != stateChecksum)
        depart();
}

std::uint32_t ReplayingInput::milliseconds()
{
    const Replay::Step& step = played();
    if (clockServed_ < step.clockReads)
        return step.clock[clockServed_++];
    depart();
    return step.clockReads > 0 ? step.clock[step.clockReads - 1] : 0;
}
