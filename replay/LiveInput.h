#pragma once

#include "replay/RoundInput.h"

// The player's own input, read from the platform for the game's window.
class LiveInput : public RoundInput {
public:
    explicit LiveInput(platform::Window* window = nullptr) : window_(window) {}

    platform::Point pointer() override { return platform::pointer(window_); }
    void pinPointer(platform::Point client) override { platform::setPointer(window_, client); }
    bool buttonDown() override { return platform::isDown(platform::Key::LeftButton); }
    std::uint32_t milliseconds() override { return platform::milliseconds(); }

private:
    platform::Window* window_;
};
