#pragma once

#include "artgen/Canvas.h"

// The images of the play field: enemies, the bomb and its chain, the base, the
// gauge, the pointers and the flash. One look throughout: flat colour, a soft
// light from the top left and a dark outline.
class SpriteArt {
public:
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
    static Canvas base();
    static Canvas gauge();
    static Canvas information();
    static Canvas marker();
};
