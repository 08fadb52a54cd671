#include "platform/sdl/WindowGeometry.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

namespace platform {

WindowGeometry::WindowGeometry(SDL_Window* window) : window_(window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window != nullptr && SDL_GetWindowWMInfo(window, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11) {
        display_ = info.info.x11.display;
        xWindow_ = info.info.x11.window;
    }
}

std::optional<Extent> WindowGeometry::serverSize() const
{
    XWindowAttributes attributes;
    if (display_ == nullptr || XGetWindowAttributes(static_cast<Display*>(display_), xWindow_, &attributes) == 0)
        return std::nullopt;
    return Extent{attributes.width, attributes.height};
}

Extent WindowGeometry::windowSize() const { return serverSizeOr(SDL_GetWindowSize); }

Extent WindowGeometry::drawableSize() const { return serverSizeOr(SDL_GL_GetDrawableSize); }

Extent WindowGeometry::serverSizeOr(void (*sdlSize)(SDL_Window*, int*, int*)) const
{
    if (const std::optional<Extent> size = serverSize())
        return *size;
    Extent size{0, 0};
    sdlSize(window_, &size.width, &size.height);
    return size;
}

std::optional<Point> WindowGeometry::pointer() const
{
    ::Window root = 0;
    ::Window child = 0;
    int rootX = 0;
    int rootY = 0;
    Point client{0, 0};
    unsigned int buttons = 0;
    if (display_ == nullptr
        || XQueryPointer(static_cast<Display*>(display_), xWindow_, &root, &child, &rootX, &rootY, &client.x,
                         &client.y, &buttons) == False)
        return std::nullopt;
    return client;
}

}  // namespace platform
