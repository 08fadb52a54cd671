#include "platform/sim/SimPlatform.h"

#include "platform/record/RecordingDevice.h"

#include <cstdio>

namespace platform {

namespace {
// The simulated window has no state of its own; its address is all the game sees.
int simWindow;
}

SimPlatform::SimPlatform(std::uint32_t clockStart) : clock_(clockStart) {}

SimPlatform::~SimPlatform() = default;

Window* SimPlatform::createWindow(int, int, const char*, WindowProcedure procedure)
{
    window_ = reinterpret_cast<Window*>(&simWindow);
    procedure_ = procedure;
    return window_;
}

void SimPlatform::destroyWindow(Window* window)
{
    if (window == nullptr || window != window_)
        return;
    window_ = nullptr;
    if (procedure_ != nullptr)
        procedure_(window, Message::Destroy);
}

bool SimPlatform::takeMessage()
{
    if (passHook_)
        passHook_();
    if (closePending_ && window_ != nullptr) {
        closePending_ = false;
        procedure_(window_, Message::Close);
        return true;
    }
    if (pendingMessages_ > 0) {
        --pendingMessages_;
        return true;
    }
    return false;
}

void SimPlatform::sleep(std::uint32_t ms)
{
    if (sleepHook_)
        sleepHook_(ms);
    clock_ += ms;
}

bool SimPlatform::askYesNo(Window*, const char*, const char*)
{
    ++questions_;
    return answerYes_;
}

Point SimPlatform::pointer(Window*) { return pointer_; }

void SimPlatform::setPointer(Window*, Point client)
{
    if (client == pointer_)
        return;
    pointer_ = client;
    ++pointerMoves_;
}

void SimPlatform::endStep()
{
    ++steps_;
    keys_.endStep();
}

std::unique_ptr<Device> SimPlatform::createDevice(Window*)
{
    if (withholdDevice_)
        return nullptr;
    auto device = std::make_unique<RecordingDevice>();
    device_ = device.get();
    return device;
}

void SimPlatform::enterFullScreen(Window*) { fullScreen_ = true; }

void SimPlatform::showError(const char* text) { std::fprintf(stderr, "tessaro: %s\n", text); }

}  // namespace platform
