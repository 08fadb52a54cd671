#pragma once

#include "platform/Platform.h"

namespace platform {

// Where the 640 x 480 picture sits, scaled to fit and centred, on a larger output.
struct Letterbox {
    int x;
    int y;
    int width;
    int height;

    static Letterbox fit(int outputWidth, int outputHeight);
    Point toClient(Point output) const;
    // The output pixel that maps back to exactly this client pixel.
    Point toOutput(Point client) const;
};

}  // namespace platform
