#pragma once

#include "artgen/Canvas.h"

// The game's own alphabet: strokes on a 4 x 6 grid, drawn with round ends and an
// outline, at any size.
class Lettering {
public:
    struct Style {
        Color top;
        Color bottom;
        Color outline;
        float stroke;   // half the stroke's width
        float border;   // width of the outline around it
    };

    // unitX and unitY are the pixels of one grid step; a glyph is 4 x 6 steps.
    static void glyph(Canvas& canvas, float x, float y, char ch, float unitX, float unitY, const Style& style);
    static void text(Canvas& canvas, float x, float y, const char* text, float unitX, float unitY,
                     const Style& style);
    // Centred on cx.
    static void centred(Canvas& canvas, float cx, float y, const char* text, float unitX, float unitY,
                        const Style& style);
    static float advance(float unitX) { return unitX * 5.6f; }
    static bool has(char ch);
};
