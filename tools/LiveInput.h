#pragma once

#include "tools/RoundInput.h"

// The player's own input, read from the platform for the game's window.
class LiveInput : public RoundInput {
public:
    LiveInput() = default;
    LiveInput(platform::Platform& platform, platform::Window* window) : platform_(&platform), window_(window) {}

    platform::Point pointer() override { return platform_->pointer(window_); }
    void pinPointer(platform::Point client) override { platform_->setPointer(window_, client); }
    bool buttonDown() override { return platform_->isDown(platform::Key::LeftButton); }
    std::uint32_t milliseconds() override { return platform_->milliseconds(); }

private:
    platform::Platform* platform_ = nullptr;
    platform::Window* window_ = nullptr;
};
