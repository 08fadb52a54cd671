#pragma once

#include "platform/SpriteVertex.h"

// Places a quad's four vertices, top-left, top-right, bottom-right, bottom-left,
// turned clockwise by whole degrees about the rectangle's centre.
class QuadCorners {
public:
    static void place(SpriteVertex (&v)[4], float x, float y, float width, float height, int rotation);
};
