#include "platform/gl/OffscreenGl.h"

#include "platform/gl/DriverLeakPause.h"
#include "platform/gl/SdlGlContext.h"

OffscreenGl::OffscreenGl(int width, int height)
{
    const DriverLeakPause pause;
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        error_ = std::string("no off-screen video: ") + SDL_GetError();
        return;
    }
    videoStarted_ = true;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    window_ = SDL_CreateWindow("Tessaro", 0, 0, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (window_ != nullptr)
        device_ = GlDevice::create(SdlGlContext::create(window_));
    if (!device_)
        error_ = std::string("no OpenGL 3.3 core context: ") + SDL_GetError();
}

OffscreenGl::~OffscreenGl()
{
    const DriverLeakPause pause;
    device_.reset();
    if (window_ != nullptr)
        SDL_DestroyWindow(window_);
    if (videoStarted_)
        SDL_Quit();
}
