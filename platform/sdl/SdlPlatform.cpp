#include "platform/sdl/SdlPlatform.h"

#include "WindowIcon.h"
#include "base/Field.h"
#include "platform/gl/GlDevice.h"
#include "platform/sdl/SdlGlContext.h"
#include "platform/sdl/X11Question.h"

#include <SDL_syswm.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

namespace platform {

namespace {
// The question shows words and buttons only.
constexpr Uint32 kNoIcon = 0;

SDL_Window* sdlWindow(Window* window) { return reinterpret_cast<SDL_Window*>(window); }
Window* gameWindow(SDL_Window* window) { return reinterpret_cast<Window*>(window); }

// The drivers that show a window, each with the variable that names its display. SDL
// would fall back on others that draw nowhere, and the game would run unseen.
struct WindowDriver {
    const char* name;
    const char* displayVariable;
};
constexpr WindowDriver kWindowDrivers[] = {{"x11", "DISPLAY"}, {"wayland", "WAYLAND_DISPLAY"}};

const char* variable(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

// An X server short of time drops a new connection now and then (Xvfb on a loaded
// machine, about one in a hundred); a display that is there answers the next try.
constexpr int kConnectionTries = 3;
constexpr Uint32 kBetweenTriesMs = 250;

// The hint holds only for this start: an off-screen device made later in the same
// process asks for its own driver.
bool startDriver(const char* name)
{
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, name, SDL_HINT_OVERRIDE);
    bool started = false;
    for (int attempt = 1; attempt <= kConnectionTries && !started; ++attempt) {
        started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
        if (!started && attempt < kConnectionTries)
            SDL_Delay(kBetweenTriesMs);
    }
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    return started;
}

std::string notAnswering(const WindowDriver& driver, const char* display)
{
    return std::string("the display ") + driver.displayVariable + "=" + display + " does not answer ("
           + SDL_GetError() + "); check that it runs and that you may use it";
}

const WindowDriver* windowDriver(std::string_view name)
{
    for (const WindowDriver& driver : kWindowDrivers)
        if (name.size() == std::strlen(driver.name) && SDL_strncasecmp(name.data(), driver.name, name.size()) == 0)
            return &driver;
    return nullptr;
}

// The drivers SDL_VIDEODRIVER lists, as SDL reads it (comma-separated, in any case),
// or every one that shows a window. Empty, with why, when it lists another.
std::vector<const WindowDriver*> driversToTry(std::string& why)
{
    std::vector<const WindowDriver*> drivers;
    const char* asked = variable("SDL_VIDEODRIVER");
    if (asked == nullptr) {
        for (const WindowDriver& driver : kWindowDrivers)
            drivers.push_back(&driver);
        return drivers;
    }
    for (std::string_view list = asked; !list.empty();) {
        const std::string_view name = list.substr(0, list.find(','));
        list.remove_prefix(std::min(list.size(), name.size() + 1));
        const WindowDriver* driver = windowDriver(name);
        if (driver == nullptr) {
            why = "SDL_VIDEODRIVER is " + std::string(asked) + ", and " + std::string(name)
                  + " shows no window; the game needs x11 or wayland (or unset SDL_VIDEODRIVER)";
            return {};
        }
        drivers.push_back(driver);
    }
    return drivers;
}

// Starts SDL's video on the first driver to try whose display is set and answers.
// Empty when started, otherwise why not.
std::string startWindowVideo()
{
    std::string why;
    const std::vector<const WindowDriver*> drivers = driversToTry(why);
    std::string unset;
    for (const WindowDriver* driver : drivers) {
        const char* display = variable(driver->displayVariable);
        if (display != nullptr && startDriver(driver->name))
            return {};
        if (display != nullptr && why.empty())
            why = notAnswering(*driver, display);
        unset += std::string(unset.empty() ? "" : " nor ") + driver->displayVariable;
    }
    if (!why.empty())
        return why;
    return "no display to show the game on: " + std::string(drivers.size() > 1 ? "neither " : "") + unset
           + " is set; start the game from a desktop session";
}

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

SdlPlatform::SdlPlatform(Video video) : video_(video)
{
    if (SDL_Init(SDL_INIT_TIMER) != 0) {
        failure_ = std::string("SDL cannot start: ") + SDL_GetError();
        return;
    }
    sdlStarted_ = true;
    if (video == Video::Window)
        failure_ = startWindowVideo();
    else if (!startDriver("offscreen"))
        failure_ = std::string("SDL's off-screen video does not start: ") + SDL_GetError();
    ready_ = failure_.empty();
}

SdlPlatform::~SdlPlatform()
{
    if (window_ != nullptr)
        SDL_DestroyWindow(window_);
    if (sdlStarted_)
        SDL_Quit();
}

// SDL sizes the drawing area itself, so only the screen decides where it goes.
Window* SdlPlatform::createWindow(int width, int height, const char* title, WindowProcedure procedure)
{
    if (!ready_) {
        showError(failure_.c_str());
        return nullptr;
    }
    if (window_ != nullptr)
        return nullptr;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_DisplayMode screen{};
    if (SDL_GetDesktopDisplayMode(0, &screen) != 0)
        screen.w = width, screen.h = height;
    window_ = SDL_CreateWindow(title, (screen.w - width) / 2, (screen.h - height) / 2, width, height,
                               SDL_WINDOW_OPENGL);
    if (window_ == nullptr) {
        showError((std::string("cannot open the game's window: ") + SDL_GetError()).c_str());
        return nullptr;
    }
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
    // A pass of the main loop starts here: its steps and its frame share one
    // reading of the pointer, one question to the window system.
    pointerRead_ = false;
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
    if (video_ == Video::Offscreen)
        return false;  // nobody to answer
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (owner != nullptr && SDL_GetWindowWMInfo(sdlWindow(owner), &info) == SDL_TRUE
        && info.subsystem == SDL_SYSWM_X11)
        return X11Question(info.info.x11.display, info.info.x11.window).ask(caption, text).value_or(false);
    // Elsewhere SDL asks through a program of the desktop's, started afresh.
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
    };
    const SDL_MessageBoxData box{kNoIcon, sdlWindow(owner), caption, text,
                                 static_cast<int>(SDL_arraysize(buttons)), buttons, nullptr};
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
    if (!pointerRead_)
        lastPointer_ = currentPointer();
    pointerRead_ = true;
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
    std::string why;
    std::unique_ptr<SdlGlContext> context = SdlGlContext::create(window_, why);
    if (!context) {
        showError(why.c_str());
        return nullptr;
    }
    std::unique_ptr<Device> device = GlDevice::create(std::move(context));
    if (!device)
        showError("OpenGL could not build the game's shader on this display");
    return device;
}

void SdlPlatform::showError(const char* text) { std::fprintf(stderr, "tessaro: %s\n", text); }

void SdlPlatform::enterFullScreen(Window* window)
{
    if (window != nullptr && sdlWindow(window) == window_)
        fullScreen_ = SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
}

}  // namespace platform
