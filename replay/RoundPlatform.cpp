#include "replay/RoundPlatform.h"

#include "platform/Device.h"

#include <cstdio>

RoundPlatform::Scope::Scope(RoundPlatform& round) : beneath_(&platform::current())
{
    round.beneath_ = beneath_;
    platform::install(&round);
}

RoundPlatform::Scope::~Scope() { platform::install(beneath_); }

void RoundPlatform::record(Replay* replay, const Replay::Carry& carry)
{
    mode_ = Mode::Recording;
    recording_ = replay;
    recording_->result = Replay::Result{};
    recording_->carry = carry;
    recording_->steps.clear();
    recording_->checksums.clear();
    current_ = Replay::Step{};
    steps_ = 0;
    departedAt_ = 0;
}

void RoundPlatform::play(const Replay* replay)
{
    mode_ = Mode::Playing;
    playing_ = replay;
    clockServed_ = 0;
    steps_ = 0;
    departedAt_ = 0;
}

bool RoundPlatform::exhausted() const
{
    return playing_ == nullptr || static_cast<std::size_t>(steps_) >= playing_->steps.size();
}

const Replay::Step& RoundPlatform::played() const
{
    const std::size_t last = playing_->steps.size() - 1;
    return playing_->steps[static_cast<std::size_t>(steps_) < last ? static_cast<std::size_t>(steps_) : last];
}

void RoundPlatform::depart()
{
    if (departedAt_ == 0)
        departedAt_ = steps_ + 1;
}

void RoundPlatform::finishStep()
{
    if (mode_ == Mode::Recording) {
        recording_->steps.push_back(current_);
        current_.clockReads = 0;
        if (recording_->steps.size() >= static_cast<std::size_t>(Replay::kMaxSteps)) {
            std::fprintf(stderr, "tessaro: replay not kept: the round runs longer than %d steps\n", Replay::kMaxSteps);
            mode_ = Mode::Off;
        }
    } else if (mode_ == Mode::Playing) {
        if (exhausted() || clockServed_ != played().clockReads)
            depart();
        clockServed_ = 0;
    }
    ++steps_;
}

void RoundPlatform::checkpoint(std::uint32_t stateChecksum)
{
    const std::size_t index = static_cast<std::size_t>(steps_ / Replay::kChecksumInterval) - 1;
    if (mode_ == Mode::Recording)
        recording_->checksums.push_back(stateChecksum);
    else if (mode_ == Mode::Playing && (index >= playing_->checksums.size() || playing_->checksums[index] != stateChecksum))
        depart();
}

std::uint32_t RoundPlatform::milliseconds()
{
    if (mode_ == Mode::Playing) {
        const Replay::Step& step = played();
        if (clockServed_ < step.clockReads)
            return step.clock[clockServed_++];
        depart();
        return step.clockReads > 0 ? step.clock[step.clockReads - 1] : 0;
    }
    const std::uint32_t now = beneath_->milliseconds();
    if (mode_ == Mode::Recording && current_.clockReads < Replay::kMaxClockReads)
        current_.clock[current_.clockReads++] = now;
    return now;
}

platform::Point RoundPlatform::pointer(platform::Window* window)
{
    if (mode_ == Mode::Playing)
        return played().pointer;
    const platform::Point p = beneath_->pointer(window);
    if (mode_ == Mode::Recording)
        current_.pointer = p;
    return p;
}

bool RoundPlatform::isDown(platform::Key key)
{
    if (key != platform::Key::LeftButton)
        return beneath_->isDown(key);
    if (mode_ == Mode::Playing)
        return played().button;
    const bool down = beneath_->isDown(key);
    if (mode_ == Mode::Recording)
        current_.button = down;
    return down;
}

void RoundPlatform::setPointer(platform::Window* window, platform::Point client)
{
    // A watched round leaves the viewer's pointer alone.
    if (mode_ != Mode::Playing)
        beneath_->setPointer(window, client);
}

int RoundPlatform::metric(platform::Metric metric) { return beneath_->metric(metric); }
platform::Window* RoundPlatform::createWindow(int x, int y, int width, int height, const char* title,
                                              platform::WindowProcedure procedure)
{
    return beneath_->createWindow(x, y, width, height, title, procedure);
}
void RoundPlatform::destroyWindow(platform::Window* window) { beneath_->destroyWindow(window); }
bool RoundPlatform::takeMessage() { return beneath_->takeMessage(); }
void RoundPlatform::sleep(std::uint32_t ms) { beneath_->sleep(ms); }
std::uint32_t RoundPlatform::randomSeed() { return beneath_->randomSeed(); }
bool RoundPlatform::askYesNo(platform::Window* owner, const char* caption, const char* text)
{
    return beneath_->askYesNo(owner, caption, text);
}
void RoundPlatform::hidePointer() { beneath_->hidePointer(); }
void RoundPlatform::endStep() { beneath_->endStep(); }
std::unique_ptr<Device> RoundPlatform::createDevice(platform::Window* window) { return beneath_->createDevice(window); }
void RoundPlatform::enterFullScreen(platform::Window* window) { beneath_->enterFullScreen(window); }
void RoundPlatform::showError(const char* text) { beneath_->showError(text); }
