#pragma once

#include "artgen/Canvas.h"

// The full-size images: the glyph sheet, the field, the title sheet, the three
// introduction pages and the icon.
class SheetArt {
public:
    static constexpr int kWindowIconSide = 32;
    // The sizes of the desktop's icon theme.
    static constexpr int kThemeIconSides[] = {16, 22, 24, 32, 48, 64, 128, 256};

    static Canvas font();
    static Canvas background();
    static Canvas title();
    static Canvas introPage(int page);
    static Canvas icon(int side);
};
