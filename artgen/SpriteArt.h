#pragma once

#include "artgen/Canvas.h"

// The images of the play field: enemies, the bomb and its chain, the base, the
// gauge, the pointers and the flash. One look throughout: flat colour, a soft
// light from the top left and a dark outline.
class SpriteArt {
public:
    static constexpr int kBombSide = 64;

    static Canvas walker();
    static Canvas wanderer();
    static Canvas runner();
    static Canvas armoured();
    static Canvas circler();
    static Canvas bigEnemy();
    static Canvas splitter();
    static Canvas child();
    static Canvas flash();
    static Canvas cursor();
    static Canvas chain();
    static Canvas bomb();
    // The same bomb drawn at another size, for the desktop's icons.
    static Canvas bombOfSide(int side);
    static Canvas base();
    static Canvas gauge();
    static Canvas information();
    static Canvas marker();
};
