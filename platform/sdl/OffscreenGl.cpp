#include "platform/sdl/OffscreenGl.h"

#include "platform/sdl/SdlGlContext.h"

OffscreenGl::OffscreenGl(int width, int height)
{
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
    if (window_ == nullptr) {
        error_ = std::string("no off-screen window: ") + SDL_GetError();
        return;
    }
    std::unique_ptr<SdlGlContext> context = SdlGlContext::create(window_, error_);
    if (context)
        device_ = GlDevice::create(std::move(context));
    if (!device_ && error_.empty())
        error_ = "OpenGL could not build the device's shader";
}

OffscreenGl::~OffscreenGl()
{
    device_.reset();
    if (window_ != nullptr)
        SDL_DestroyWindow(window_);
    if (videoStarted_)
        SDL_Quit();
}
