#include "platform/sdl/SdlGlContext.h"

#include <epoxy/gl.h>

namespace {
constexpr int kLeastGlVersion = 33;
constexpr const char* kRemedy = "; the game needs OpenGL 3.3: install or update the graphics driver "
                                "(Mesa's libgl1-mesa-dri draws in software where the card cannot)";
}

std::unique_ptr<SdlGlContext> SdlGlContext::create(SDL_Window* window, std::string& why)
{
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context == nullptr) {
        why = std::string("the display gives no OpenGL 3.3 core context (") + SDL_GetError() + ")" + kRemedy;
        return nullptr;
    }
    std::unique_ptr<SdlGlContext> made(new SdlGlContext(window, context));
    if (const int version = epoxy_gl_version(); version < kLeastGlVersion) {
        why = "the display offers OpenGL " + std::to_string(version / 10) + "." + std::to_string(version % 10)
              + " only" + kRemedy;
        return nullptr;
    }
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
