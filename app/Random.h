#pragma once

#include <cstdint>

// The game's one random sequence: 0 to 32767 from the same linear congruential
// generator on every platform, so a seed replays the same round everywhere.
void seedRandom(std::uint32_t seed);
// Where the sequence stands: seeding with it continues from there.
std::uint32_t randomState();
int randomInt();

// A value from a up to just under b, scaled from one randomInt. The scale is the
// single-precision value nearest 1/32767; the result is not rounded to float.
double randomRange(float a, float b);
