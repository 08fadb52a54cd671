#include "platform/gl/SdlGlContext.h"

#include "platform/gl/DriverLeakPause.h"

#include <epoxy/gl.h>

namespace {
constexpr int kLeastGlVersion = 33;
}

std::unique_ptr<SdlGlContext> SdlGlContext::create(SDL_Window* window)
{
    if (window == nullptr)
        return nullptr;
    const DriverLeakPause pause;
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context == nullptr)
        return nullptr;
    std::unique_ptr<SdlGlContext> made(new SdlGlContext(window, context));
    if (epoxy_gl_version() < kLeastGlVersion)
        return nullptr;
    SDL_GL_SetSwapInterval(0);  // never wait for the vertical blank
    return made;
}

SdlGlContext::~SdlGlContext() { SDL_GL_DeleteContext(context_); }

// The size the window really has, which SDL's own idea can miss: the picture must
// fill it, never more.
void SdlGlContext::outputSize(int& width, int& height) const
{
    const platform::Extent size = geometry_.drawableSize();
    width = size.width;
    height = size.height;
}

void SdlGlContext::swap() { SDL_GL_SwapWindow(window_); }
