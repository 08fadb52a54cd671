#include "platform/sdl/WindowGeometry.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

namespace platform {

WindowGeometry::WindowGeometry(SDL_Window* window) : window_(window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11)
        return;
    display_ = info.info.x11.display;
    xWindow_ = info.info.x11.window;
    XWindowAttributes attributes;
    if (XGetWindowAttributes(static_cast<Display*>(display_), xWindow_, &attributes) == 0)
        return;
    serverSize_ = Extent{attributes.width, attributes.height};
    // Every change of size after this one comes as a ConfigureNotify, which SDL
    // passes on only as a window-system event.
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    SDL_AddEventWatch(&WindowGeometry::watch, this);
}

WindowGeometry::~WindowGeometry()
{
    if (serverSize_)
        SDL_DelEventWatch(&WindowGeometry::watch, this);
}

int WindowGeometry::watch(void* geometry, SDL_Event* event)
{
    auto& self = *static_cast<WindowGeometry*>(geometry);
    if (event->type != SDL_SYSWMEVENT || event->syswm.msg == nullptr
        || event->syswm.msg->subsystem != SDL_SYSWM_X11)
        return 0;
    const XEvent& x = event->syswm.msg->msg.x11.event;
    if (x.type == ConfigureNotify && x.xconfigure.window == self.xWindow_)
        self.serverSize_ = Extent{x.xconfigure.width, x.xconfigure.height};
    return 0;
}

Extent WindowGeometry::windowSize() const { return serverSizeOr(SDL_GetWindowSize); }

Extent WindowGeometry::drawableSize() const { return serverSizeOr(SDL_GL_GetDrawableSize); }

Extent WindowGeometry::serverSizeOr(void (*sdlSize)(SDL_Window*, int*, int*)) const
{
    if (serverSize_)
        return *serverSize_;
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
