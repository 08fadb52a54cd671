#pragma once

#include "artgen/Canvas.h"

// The full-size images: the glyph sheet, the field, the title sheet, the three
// introduction pages and the window icon.
class SheetArt {
public:
    static Canvas font();
    static Canvas background();
    static Canvas title();
    static Canvas introPage(int page);
    static Canvas icon();
};
