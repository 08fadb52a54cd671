// When frames reach the screen, read from the X server itself: waits for a window of
// the given name, then prints "shown MS" as it appears and "frame MS" each time its
// picture changes, up to a count, in milliseconds of the real-time clock. The
// start-up figures are measured from these rather than by polling screenshots.
//   tessaro_frames NAME COUNT
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>

#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr int kWaitAtMostMs = 60000;

long long nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// The window's name as UTF-8, which a name outside Latin-1 needs.
bool named(Display* display, Window window, const char* name)
{
    XTextProperty property{};
    if (XGetWMName(display, window, &property) == 0 || property.value == nullptr)
        return false;
    char** list = nullptr;
    int count = 0;
    const bool same = Xutf8TextPropertyToTextList(display, &property, &list, &count) >= Success && count > 0
                      && std::strcmp(list[0], name) == 0;
    XFreeStringList(list);
    XFree(property.value);
    return same;
}

// A window may go between listing it and asking its name: that is no failure here.
int ignoreError(Display*, XErrorEvent*) { return 0; }

// The top-level window of that name, or 0.
Window find(Display* display, const char* name)
{
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) != 0)
        for (unsigned int i = 0; i < count && found == 0; ++i)
            if (named(display, children[i], name))
                found = children[i];
    XFree(children);
    return found;
}
}  // namespace

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    if (argc != 3) {
        std::fprintf(stderr, "usage: tessaro_frames NAME COUNT\n");
        return 2;
    }
    const int frames = std::atoi(argv[2]);
    Display* display = XOpenDisplay(nullptr);
    int damageEvent = 0;
    int damageError = 0;
    if (display == nullptr || !XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "tessaro_frames: no X display with the DAMAGE extension\n");
        return 1;
    }
    XSetErrorHandler(ignoreError);
    // Told of each window mapped on the screen rather than looking again and again:
    // a watcher that asks the X server every millisecond slows the start it times.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    Window window = find(display, argv[1]);
    const long long giveUpAt = nowMs() + kWaitAtMostMs;
    while (window == 0 && nowMs() < giveUpAt) {
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        if (XPending(display) == 0 && poll(&connection, 1, static_cast<int>(giveUpAt - nowMs())) <= 0)
            continue;
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify)
            window = find(display, argv[1]);
    }
    if (window == 0) {
        std::fprintf(stderr, "tessaro_frames: no window named %s\n", argv[1]);
        return 1;
    }
    const Damage damage = XDamageCreate(display, window, XDamageReportNonEmpty);
    std::printf("shown %lld\n", nowMs());
    std::fflush(stdout);
    for (int seen = 0; seen < frames;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != damageEvent + XDamageNotify)
            continue;
        std::printf("frame %lld\n", nowMs());
        std::fflush(stdout);
        XDamageSubtract(display, damage, None, None);
        ++seen;
    }
    XDamageDestroy(display, damage);
    XCloseDisplay(display);
    return 0;
}
