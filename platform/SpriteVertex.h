#pragma once

#include <cstdint>

// One pre-transformed vertex: screen position, packed ARGB colour, texture coordinates.
struct SpriteVertex {
    float x;
    float y;
    float z;
    float rhw;
    std::uint32_t diffuse;
    float u;
    float v;
};

static_assert(sizeof(SpriteVertex) == 28, "the device reads 28-byte vertices");
