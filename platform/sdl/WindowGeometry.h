#pragma once

#include "platform/Platform.h"

#include <SDL.h>

#include <optional>

namespace platform {

struct Extent {
    int width;
    int height;
};

// The window's size and the pointer's place in it, as the window system has them
// now. SDL's own copies can be wrong: without a window manager a full-screen
// request changes SDL's idea of the size but not the window, and SDL moves its
// pointer position only with motion events. On X11 the size is asked of the
// server once and then kept from the server's own events, so that a frame asks
// the server for nothing but the pointer; elsewhere SDL's values are the best
// there are.
class WindowGeometry {
public:
    explicit WindowGeometry(SDL_Window* window);
    ~WindowGeometry();
    WindowGeometry(const WindowGeometry&) = delete;
    WindowGeometry& operator=(const WindowGeometry&) = delete;

    // In the window system's units, which the pointer uses.
    Extent windowSize() const;
    // In pixels, which drawing uses.
    Extent drawableSize() const;
    // Relative to the client area's top-left corner; empty where the window
    // system cannot be asked directly.
    std::optional<Point> pointer() const;

private:
    static int watch(void* geometry, SDL_Event* event);
    // The server's size, or where it cannot be asked, SDL's.
    Extent serverSizeOr(void (*sdlSize)(SDL_Window*, int*, int*)) const;

    SDL_Window* window_;
    void* display_ = nullptr;    // X11 Display, when the window is on X11
    unsigned long xWindow_ = 0;  // X11 Window
    std::optional<Extent> serverSize_;
};

}  // namespace platform
