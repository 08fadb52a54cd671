#include "platform/sdl/SdlPlatform.h"

#include "WindowIcon.h"
#include "platform/gl/DriverLeakPause.h"
#include "platform/Field.h"
#include "platform/gl/GlDevice.h"
#include "platform/sdl/DialogCentring.h"
#include "platform/gl/SdlGlContext.h"

namespace platform {

namespace {
// The question shows words and buttons only.
constexpr Uint32 kNoIcon = 0;

SDL_Window* sdlWindow(Window* window) { return reinterpret_cast<SDL_Window*>(window); }
Window* gameWindow(SDL_Window* window) { return reinterpret_cast<Window*>(window); }

void setIcon(SDL_Window* window)
{
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint32_t*>(kWindowIcon), kWindowIconSize, kWindowIconSize, 32,
        kWindowIconSize * 4, SDL_PIXELFORMAT_ARGB8888);
    if (icon == nullptr)
        return;
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
}
}  // namespace

SdlPlatform::SdlPlatform() { ready_ = SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) == 0; }

SdlPlatform::~SdlPlatform()
{
    const DriverLeakPause pause;
    if (window_ != nullptr)
        SDL_DestroyWindow(window_);
    if (ready_)
        SDL_Quit();
}

int SdlPlatform::metric(Metric metric)
{
    SDL_DisplayMode mode{};
    if (!ready_ || SDL_GetDesktopDisplayMode(0, &mode) != 0)
        mode.w = field::kWidth, mode.h = field::kHeight;
    switch (metric) {
    case Metric::ScreenWidth: return mode.w;
    case Metric::ScreenHeight: return mode.h;
    default: return 0;  // SDL places and sizes the client area itself
    }
}

Window* SdlPlatform::createWindow(int x, int y, int width, int height, const char* title,
                                  WindowProcedure procedure)
{
    if (!ready_ || window_ != nullptr)
        return nullptr;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    const DriverLeakPause pause;
    window_ = SDL_CreateWindow(title, x, y, width, height, SDL_WINDOW_OPENGL);
    if (window_ == nullptr)
        return nullptr;
    setIcon(window_);
    geometry_.emplace(window_);
    procedure_ = procedure;
    return gameWindow(window_);
}

void SdlPlatform::destroyWindow(Window* window)
{
    if (window == nullptr || sdlWindow(window) != window_ || destroyed_)
        return;
    // Hidden now, freed at shutdown: the device still holds a context on it.
    destroyed_ = true;
    SDL_HideWindow(window_);
    if (procedure_ != nullptr)
        procedure_(window, Message::Destroy);
}

bool SdlPlatform::takeMessage()
{
    SDL_Event event;
    if (!ready_ || SDL_PollEvent(&event) == 0)
        return false;
    handle(event);
    return true;
}

void SdlPlatform::handle(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT:
        if (window_ != nullptr && !destroyed_ && procedure_ != nullptr)
            procedure_(gameWindow(window_), Message::Close);
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE && procedure_ != nullptr && !destroyed_)
            procedure_(gameWindow(window_), Message::Close);
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_LEFT)
            keys_.press(Key::LeftButton);
        break;
    case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_LEFT)
            keys_.release(Key::LeftButton);
        break;
    case SDL_KEYDOWN:
        if (event.key.keysym.sym == SDLK_ESCAPE)
            keys_.press(Key::Escape);
        break;
    case SDL_KEYUP:
        if (event.key.keysym.sym == SDLK_ESCAPE)
            keys_.release(Key::Escape);
        break;
    default:
        break;
    }
}

std::uint32_t SdlPlatform::milliseconds() { return SDL_GetTicks(); }

void SdlPlatform::sleep(std::uint32_t ms) { SDL_Delay(ms); }

std::uint32_t SdlPlatform::randomSeed() { return SDL_GetTicks(); }

bool SdlPlatform::askYesNo(Window* owner, const char* caption, const char* text)
{
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
    };
    const SDL_MessageBoxData box{kNoIcon, sdlWindow(owner), caption, text,
                                 static_cast<int>(SDL_arraysize(buttons)), buttons, nullptr};
    const DialogCentring centring(sdlWindow(owner));
    int chosen = 0;
    return SDL_ShowMessageBox(&box, &chosen) == 0 && chosen == 1;
}

void SdlPlatform::hidePointer() { SDL_ShowCursor(SDL_DISABLE); }

Letterbox SdlPlatform::letterbox() const
{
    if (!geometry_)
        return Letterbox::fit(0, 0);
    const Extent size = geometry_->windowSize();
    return Letterbox::fit(size.width, size.height);
}

Point SdlPlatform::pointer(Window* window)
{
    if (window == nullptr || sdlWindow(window) != window_)
        return {-1, -1};
    lastPointer_ = currentPointer();
    return lastPointer_;
}

Point SdlPlatform::currentPointer() const
{
    if (const std::optional<Point> exact = geometry_->pointer())
        return letterbox().toClient(*exact);
    // Over the window (always, full screen) the window's own state is current, and
    // full screen the window's reported position may lag behind the switch. Away
    // from it the global state still tells where the pointer is.
    int x = 0;
    int y = 0;
    if (fullScreen_ || SDL_GetMouseFocus() == window_) {
        SDL_GetMouseState(&x, &y);
        return letterbox().toClient({x, y});
    }
    int windowX = 0;
    int windowY = 0;
    SDL_GetGlobalMouseState(&x, &y);
    SDL_GetWindowPosition(window_, &windowX, &windowY);
    return letterbox().toClient({x - windowX, y - windowY});
}

void SdlPlatform::setPointer(Window* window, Point client)
{
    // Warping only where the place differs from the one last read keeps a still
    // pointer from making events, and never pulls back one that has moved on since.
    if (window == nullptr || sdlWindow(window) != window_ || lastPointer_ == client)
        return;
    const Point output = letterbox().toOutput(client);
    SDL_WarpMouseInWindow(window_, output.x, output.y);
    lastPointer_ = client;
}

std::unique_ptr<Device> SdlPlatform::createDevice(Window* window)
{
    if (window == nullptr || sdlWindow(window) != window_)
        return nullptr;
    return GlDevice::create(SdlGlContext::create(window_));
}

void SdlPlatform::enterFullScreen(Window* window)
{
    if (window != nullptr && sdlWindow(window) == window_)
        fullScreen_ = SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
}

}  // namespace platform
