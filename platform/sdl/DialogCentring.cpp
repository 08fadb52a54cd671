#include "platform/sdl/DialogCentring.h"

#include "platform/sdl/WindowGeometry.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <pthread.h>

#include <chrono>
#include <mutex>
#include <optional>
#include <vector>

namespace platform {

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(5);
// A dialog that has not shown by then is not coming.
constexpr auto kGiveUpAfter = std::chrono::seconds(5);
constexpr int kMoves = 4;
// Time for a window manager to act on a move.
constexpr auto kSettle = std::chrono::milliseconds(50);

::Window rootOf(Display* display) { return DefaultRootWindow(display); }

std::vector<::Window> childrenOf(Display* display, ::Window window)
{
    ::Window root = 0;
    ::Window parent = 0;
    ::Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count) == 0)
        return {};
    std::vector<::Window> list(children, children + count);
    XFree(children);
    return list;
}

bool isShownDialogOf(Display* display, ::Window window, ::Window owner)
{
    ::Window master = 0;
    XWindowAttributes attributes;
    return XGetTransientForHint(display, window, &master) != 0 && master == owner
           && XGetWindowAttributes(display, window, &attributes) != 0 && attributes.map_state == IsViewable;
}

// The shown window that declares itself transient for the owner: a child of the
// root, or of the frame a window manager has put around it.
::Window ownedDialog(Display* display, ::Window owner)
{
    for (const ::Window top : childrenOf(display, rootOf(display))) {
        if (isShownDialogOf(display, top, owner))
            return top;
        for (const ::Window inner : childrenOf(display, top))
            if (isShownDialogOf(display, inner, owner))
                return inner;
    }
    return 0;
}

std::optional<Point> onScreen(Display* display, ::Window window)
{
    Point place{0, 0};
    ::Window child = 0;
    if (XTranslateCoordinates(display, window, rootOf(display), 0, 0, &place.x, &place.y, &child) == False)
        return std::nullopt;
    return place;
}

std::optional<Extent> sizeOf(Display* display, ::Window window)
{
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) == 0)
        return std::nullopt;
    return Extent{attributes.width, attributes.height};
}

// Where the dialog's corner goes for its middle to be the owner's.
std::optional<Point> centredPlace(Display* display, ::Window dialog, ::Window owner)
{
    const std::optional<Point> corner = onScreen(display, owner);
    const std::optional<Extent> ownerSize = sizeOf(display, owner);
    const std::optional<Extent> dialogSize = sizeOf(display, dialog);
    if (!corner || !ownerSize || !dialogSize)
        return std::nullopt;
    return Point{corner->x + (ownerSize->width - dialogSize->width) / 2,
                 corner->y + (ownerSize->height - dialogSize->height) / 2};
}

// A window manager places the frame where asked, so the dialog itself lands off by
// the frame's border: each move adds what is left over. False once it sits right.
bool moveTowardsCentre(Display* display, ::Window dialog, ::Window owner, Point& requested)
{
    const std::optional<Point> target = centredPlace(display, dialog, owner);
    const std::optional<Point> now = onScreen(display, dialog);
    if (!target || !now || (target->x == now->x && target->y == now->y))
        return false;
    const bool first = requested.x == 0 && requested.y == 0;
    requested = first ? *target : Point{requested.x + target->x - now->x, requested.y + target->y - now->y};
    XMoveWindow(display, dialog, requested.x, requested.y);
    XSync(display, False);
    return true;
}

// The dialog can close between two looks; the watcher's requests about it then fail.
// Xlib's default answer to a failed request ends the process, so the watcher's own
// connection has a handler that lets them fail, and every other connection keeps
// the handler it had.
Display* watcherDisplay = nullptr;
XErrorHandler previousHandler = nullptr;

int letWatcherRequestsFail(Display* display, XErrorEvent* error)
{
    if (display == watcherDisplay)
        return 0;
    return previousHandler != nullptr ? previousHandler(display, error) : 0;
}

void listenForErrors(Display* display)
{
    watcherDisplay = display;
    previousHandler = XSetErrorHandler(letWatcherRequestsFail);
}

// Leaves the handler alone where somebody has set another since.
void stopListening()
{
    const XErrorHandler current = XSetErrorHandler(previousHandler);
    if (current != letWatcherRequestsFail)
        XSetErrorHandler(current);
    watcherDisplay = nullptr;
}

// SDL shows the dialog from a process it forks. A fork while the watcher is inside
// Xlib or the allocator would leave their locks held in the child for ever, so a
// fork waits until the watcher is between two looks.
std::mutex& forkGuard()
{
    static std::mutex guard;
    return guard;
}

void guardForks()
{
    static const bool registered = [] {
        pthread_atfork([] { forkGuard().lock(); }, [] { forkGuard().unlock(); }, [] { forkGuard().unlock(); });
        return true;
    }();
    static_cast<void>(registered);
}

}  // namespace

DialogCentring::DialogCentring(SDL_Window* owner)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (owner == nullptr || SDL_GetWindowWMInfo(owner, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11)
        return;
    guardForks();
    watcher_ = std::thread(&DialogCentring::watch, this, std::string(DisplayString(info.info.x11.display)),
                           info.info.x11.window);
}

DialogCentring::~DialogCentring()
{
    stopping_ = true;
    if (watcher_.joinable())
        watcher_.join();
}

// On a connection of its own: SDL's is busy with the dialog meanwhile. Every look
// and move holds the fork guard; only the waits between them do not.
void DialogCentring::watch(const std::string& name, unsigned long owner)
{
    using Guard = std::lock_guard<std::mutex>;
    Display* display = nullptr;
    {
        const Guard guard(forkGuard());
        display = XOpenDisplay(name.c_str());
        if (display != nullptr)
            listenForErrors(display);
    }
    if (display == nullptr)
        return;
    const auto deadline = std::chrono::steady_clock::now() + kGiveUpAfter;
    ::Window dialog = 0;
    while (!stopping_ && std::chrono::steady_clock::now() < deadline && dialog == 0) {
        {
            const Guard guard(forkGuard());
            dialog = ownedDialog(display, owner);
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    Point requested{0, 0};
    for (int attempt = 0; dialog != 0 && attempt < kMoves && !stopping_; ++attempt) {
        {
            const Guard guard(forkGuard());
            if (!moveTowardsCentre(display, dialog, owner, requested))
                break;
        }
        std::this_thread::sleep_for(kSettle);
    }
    const Guard guard(forkGuard());
    XCloseDisplay(display);
    stopListening();
}

}  // namespace platform
