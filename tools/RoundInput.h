#pragma once

#include "platform/Platform.h"

#include <cstdint>

// What a round reads from outside: the pointer, the left button and the round clock.
// The round's objects are handed one for each step and never ask the platform
// themselves; whether it is the player, a recording of the player or a replay is the
// game scene's choice.
class RoundInput {
public:
    virtual ~RoundInput() = default;

    // Client coordinates; outside the window they are negative or too large.
    virtual platform::Point pointer() = 0;
    // Keeps the system pointer at a client position.
    virtual void pinPointer(platform::Point client) = 0;
    virtual bool buttonDown() = 0;
    // Milliseconds that wrap like a 32-bit counter.
    virtual std::uint32_t milliseconds() = 0;
};
