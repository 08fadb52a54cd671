#include "base/Random.h"

int Random::nextInt()
{
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
}

double Random::range(float a, float b)
{
    constexpr float kScale = 1.0f / 32767.0f;
    const double r = nextInt();
    return static_cast<double>(a) + r * static_cast<double>(kScale) * (static_cast<double>(b) - a);
}
