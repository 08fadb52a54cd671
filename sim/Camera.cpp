#include "sim/Camera.h"

#include "platform/gl/GlDevice.h"
#include "platform/record/FrameReplayer.h"
#include "render/PngImage.h"

Camera::Camera() = default;

Camera::~Camera()
{
    replayer_.reset();
    device_.reset();
    if (window_ != nullptr)
        SDL_DestroyWindow(window_);
    if (videoStarted_)
        SDL_Quit();
}

bool Camera::open(const RecordingDevice& source, std::string& error)
{
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        error = std::string("no off-screen video: ") + SDL_GetError();
        return false;
    }
    videoStarted_ = true;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    window_ = SDL_CreateWindow("Tessaro", 0, 0, 640, 480, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (window_ != nullptr)
        device_ = GlDevice::create(window_);
    if (!device_) {
        error = std::string("no OpenGL 3.3 for pictures: ") + SDL_GetError();
        return false;
    }
    replayer_ = std::make_unique<FrameReplayer>(source, *device_);
    return true;
}

bool Camera::shoot(const RecordingDevice& source, const std::string& file, std::string& error)
{
    if (!replayer_ && !open(source, error))
        return false;
    replayer_->replay(source.presented());
    if (!PngImage::save(file, 640, 480, device_->readPicture())) {
        error = "cannot write " + file;
        return false;
    }
    return true;
}
