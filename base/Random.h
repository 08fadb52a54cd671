#pragma once

#include <cstdint>

// The game's random sequence: 0 to 32767 from the same linear congruential
// generator on every platform, so a seed replays the same round everywhere.
class Random {
public:
    void seed(std::uint32_t seed) { state_ = seed; }
    // Where the sequence stands: seeding with it continues from there.
    std::uint32_t state() const { return state_; }
    int nextInt();
    // A value from a up to just under b, scaled from one nextInt. The scale is the
    // single-precision value nearest 1/32767; the result is not rounded to float.
    double range(float a, float b);

private:
    std::uint32_t state_ = 1;
};
