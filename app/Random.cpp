#include "app/Random.h"

namespace {
std::uint32_t state = 1;
}

void seedRandom(std::uint32_t seed) { state = seed; }

std::uint32_t randomState() { return state; }

int randomInt()
{
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}

double randomRange(float a, float b)
{
    constexpr float kScale = 1.0f / 32767.0f;
    const double r = randomInt();
    return static_cast<double>(a) + r * static_cast<double>(kScale) * (static_cast<double>(b) - a);
}
