#pragma once

#include "platform/SpriteVertex.h"

#include <cstdint>

// Builds a quad's four vertices, top-left, top-right, bottom-right, bottom-left,
// turned clockwise by whole degrees about the rectangle's centre.
class QuadCorners {
public:
    struct Source {
        float left;
        float top;
        float right;
        float bottom;
    };

    static void build(SpriteVertex (&v)[4], float x, float y, float z, float width, float height, int rotation,
                      std::uint32_t color, const Source& uv);

private:
    static void place(SpriteVertex (&v)[4], float x, float y, float width, float height, int rotation);
};
