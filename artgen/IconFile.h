#pragma once

#include "artgen/Canvas.h"

#include <string>

// The window icon as a Windows icon file: one 32 x 32 image in 16 colours, with
// a mask for its transparent pixels.
class IconFile {
public:
    static bool write(const std::string& path, const Canvas& icon);
};
