#include "platform/sdl/X11Question.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <fcntl.h>
#include <langinfo.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace platform {

namespace {

// Sixteen pixels first: the X fonts for Japanese and its neighbours come in that size,
// and a size a bitmap font lacks is scaled by the X server, glyph by glyph, as the set
// is made and again as it is first drawn (about 30 ms before the question shows).
constexpr const char* kFonts =
    "-*-*-medium-r-normal--16-*-*-*-c-*-*-*,-*-*-medium-r-normal--*-120-*-*-*-*-*-*,-*-*-*-*-*--*-120-*-*-*-*-*-*,fixed";
constexpr int kPadding = 20;
constexpr int kButtonGap = 12;
constexpr int kButtonMinWidth = 80;
constexpr int kButtonTextMargin = 8;
constexpr int kMinWidth = 240;
// Background, ink, button face, button edge, focused button's edge.
constexpr unsigned kRgb[] = {0xF0F0F0, 0x000000, 0xE1E1E1, 0xADADAD, 0x0078D7};
constexpr unsigned short kEightToSixteenBits = 257;
constexpr int kWaitForever = -1;

// Xlib chooses the fonts for the text's characters by LC_CTYPE. The game runs in the
// "C" locale, so while the dialog lives the character type is a UTF-8 one, the
// user's where that is UTF-8. The change is the whole process's: the driver's threads
// are idle before the first frame, and nothing of the game's reads it.
class Utf8CharacterType {
public:
    Utf8CharacterType()
    {
        if (const char* now = std::setlocale(LC_CTYPE, nullptr))
            previous_ = now;
        if (std::setlocale(LC_CTYPE, "") == nullptr || std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0)
            std::setlocale(LC_CTYPE, "C.UTF-8");
    }
    ~Utf8CharacterType() { std::setlocale(LC_CTYPE, previous_.c_str()); }

    Utf8CharacterType(const Utf8CharacterType&) = delete;
    Utf8CharacterType& operator=(const Utf8CharacterType&) = delete;

private:
    std::string previous_ = "C";
};

// The owner may close while the dialog is up: requests about it then fail, and
// Xlib's default answer to a failed request ends the process. While one lives,
// failed requests are let go; what was sent before it meets the handler it had.
class RequestFailuresLetGo {
public:
    explicit RequestFailuresLetGo(Display* display) : display_(display)
    {
        XSync(display_, False);
        previous_ = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    }
    ~RequestFailuresLetGo()
    {
        XSync(display_, False);
        XSetErrorHandler(previous_);
    }
    RequestFailuresLetGo(const RequestFailuresLetGo&) = delete;
    RequestFailuresLetGo& operator=(const RequestFailuresLetGo&) = delete;

private:
    Display* display_;
    XErrorHandler previous_ = nullptr;
};

// Ctrl+C or a kill must end the program while the dialog waits too. SDL's handler
// only notes the quit for the game's next look at its events, which the wait would
// put off until an answer. So while one lives, such a signal also wakes the wait
// through a pipe (the handler may run on any of the process's threads), and the
// dialog closes as a No; SDL's handler, called as well, then ends the game at once.
class EndSignalsWake {
public:
    EndSignalsWake()
    {
        // Made once and kept: a handler still running on another thread as the
        // dialog closes can never write into a descriptor reused by then.
        static const bool piped = pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) == 0;
        if (!piped)
            return;  // the dialog still waits for its answer
        // A signal that woke a dialog before must not close this one.
        char stale = 0;
        while (read(pipe_[0], &stale, 1) > 0) {
        }
        for (std::size_t i = 0; i < std::size(kSignals); ++i) {
            sigaction(kSignals[i], nullptr, &previous_[i]);
            if (previous_[i].sa_handler == SIG_IGN)
                continue;
            struct sigaction ours {};
            ours.sa_sigaction = wake;
            // Calls the signal cuts short elsewhere go on, as under SDL's handler; the
            // dialog's poll is woken all the same.
            ours.sa_flags = SA_SIGINFO | SA_RESTART;
            sigemptyset(&ours.sa_mask);
            installed_[i] = sigaction(kSignals[i], &ours, nullptr) == 0;
        }
    }
    ~EndSignalsWake()
    {
        for (std::size_t i = 0; i < std::size(kSignals); ++i)
            if (installed_[i])
                sigaction(kSignals[i], &previous_[i], nullptr);
    }
    EndSignalsWake(const EndSignalsWake&) = delete;
    EndSignalsWake& operator=(const EndSignalsWake&) = delete;

    // Readable once such a signal came; -1 where no pipe could be made.
    int descriptor() const { return pipe_[0]; }

private:
    static constexpr int kSignals[] = {SIGINT, SIGTERM};

    static void wake(int signal, siginfo_t* info, void* context)
    {
        const int saved = errno;
        const char byte = 0;
        // A full pipe has woken the wait already.
        [[maybe_unused]] const ssize_t written = write(pipe_[1], &byte, 1);
        for (std::size_t i = 0; i < std::size(kSignals); ++i)
            if (kSignals[i] == signal)
                passOn(previous_[i], signal, info, context);
        errno = saved;
    }

    static void passOn(const struct sigaction& before, int signal, siginfo_t* info, void* context)
    {
        // The kernel may report SA_SIGINFO beside no handler at all, so the default
        // comes first (an ignored signal was never taken over).
        if (before.sa_handler == SIG_DFL) {
            std::signal(signal, SIG_DFL);
            std::raise(signal);
        } else if ((before.sa_flags & SA_SIGINFO) != 0) {
            before.sa_sigaction(signal, info, context);
        } else {
            before.sa_handler(signal);
        }
    }

    static inline int pipe_[2] = {-1, -1};
    static inline struct sigaction previous_[std::size(kSignals)] = {};
    bool installed_[std::size(kSignals)] = {};
};

std::optional<Point> centredOn(Display* display, ::Window owner, int width, int height)
{
    XWindowAttributes attributes;
    Point corner{0, 0};
    ::Window child = 0;
    if (XGetWindowAttributes(display, owner, &attributes) == 0
        || XTranslateCoordinates(display, owner, DefaultRootWindow(display), 0, 0, &corner.x, &corner.y, &child)
               == False)
        return std::nullopt;
    return Point{corner.x + (attributes.width - width) / 2, corner.y + (attributes.height - height) / 2};
}

// Fonts for some of the text's characters may be missing: those are left blank.
void reportMissing(char** charsets, int count)
{
    std::string names;
    for (int i = 0; i < count; ++i)
        names += std::string(i == 0 ? "" : ", ") + charsets[i];
    std::fprintf(stderr, "tessaro: the question's text lacks fonts for %s; install the X fonts that have them\n",
                 names.c_str());
}

}  // namespace

X11Question::X11Question(Display* display, ::Window owner)
    : display_(display), owner_(owner), buttons_{{"Yes", true, 0}, {"No", false, 0}}
{
}

std::optional<bool> X11Question::ask(const char* caption, const char* text)
{
    const Utf8CharacterType characterType;
    const RequestFailuresLetGo failuresLetGo(display_);
    std::optional<bool> answer;
    const EndSignalsWake endSignals;
    if (loadFont()) {
        layOut(text);
        if (open(caption))
            answer = waitForAnswer(endSignals.descriptor());
    }
    if (!answer)
        std::fprintf(stderr, "tessaro: the full-screen question could not be shown; the game starts in a window\n");
    close();
    return answer;
}

bool X11Question::loadFont()
{
    char** missing = nullptr;
    int missingCount = 0;
    char* fallback = nullptr;
    font_ = XCreateFontSet(display_, kFonts, &missing, &missingCount, &fallback);
    if (missing != nullptr) {
        reportMissing(missing, missingCount);
        XFreeStringList(missing);
    }
    if (font_ == nullptr)
        return false;
    const XFontSetExtents* extents = XExtentsOfFontSet(font_);
    textHeight_ = extents->max_logical_extent.height;
    textAscent_ = -extents->max_logical_extent.y;
    return true;
}

int X11Question::textWidth(const char* text) const
{
    XRectangle ink;
    XRectangle logical;
    Xutf8TextExtents(font_, text, static_cast<int>(std::strlen(text)), &ink, &logical);
    return logical.width;
}

void X11Question::layOut(const char* text)
{
    text_ = text;
    buttonWidth_ = kButtonMinWidth;
    for (const Button& button : buttons_)
        buttonWidth_ = std::max(buttonWidth_, textWidth(button.label) + 2 * kButtonTextMargin);
    buttonHeight_ = textHeight_ + 2 * kButtonTextMargin;
    const int buttonsWidth = kButtons * buttonWidth_ + (kButtons - 1) * kButtonGap;
    width_ = std::max({kMinWidth, textWidth(text) + 2 * kPadding, buttonsWidth + 2 * kPadding});
    buttonTop_ = kPadding + textHeight_ + kPadding;
    height_ = buttonTop_ + buttonHeight_ + kPadding;
    int x = (width_ - buttonsWidth) / 2;
    for (Button& button : buttons_) {
        button.x = x;
        x += buttonWidth_ + kButtonGap;
    }
}

bool X11Question::open(const char* caption)
{
    allocateColours();
    const Point place = centredOn(display_, owner_, width_, height_).value_or(Point{0, 0});
    XSetWindowAttributes attributes{};
    attributes.background_pixel = colours_[kBackground];
    attributes.event_mask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask
                            | StructureNotifyMask;
    dialog_ = XCreateWindow(display_, DefaultRootWindow(display_), place.x, place.y, width_, height_, 0,
                            CopyFromParent, InputOutput, CopyFromParent, CWBackPixel | CWEventMask, &attributes);
    if (dialog_ == 0)
        return false;
    gc_ = XCreateGC(display_, dialog_, 0, nullptr);
    name(caption);
    XSetTransientForHint(display_, dialog_, owner_);
    protocols_ = XInternAtom(display_, "WM_PROTOCOLS", False);
    deleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display_, dialog_, &deleteWindow_, 1);
    const Atom type = XInternAtom(display_, "_NET_WM_WINDOW_TYPE", False);
    const Atom dialogType = XInternAtom(display_, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(display_, dialog_, type, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&dialogType), 1);
    XMapRaised(display_, dialog_);
    XFlush(display_);
    return true;
}

// The caption in both the old and the UTF-8 property, a fixed size, and the place
// asked for as the dialog's own: with static gravity a window manager puts its frame
// around it there, so it lands centred at once.
void X11Question::name(const char* caption)
{
    XSizeHints size{};
    size.flags = USPosition | PMinSize | PMaxSize | PWinGravity;
    size.min_width = size.max_width = width_;
    size.min_height = size.max_height = height_;
    size.win_gravity = StaticGravity;
    XWMHints hints{};
    hints.flags = InputHint;
    hints.input = True;
    XClassHint kind{const_cast<char*>("tessaro"), const_cast<char*>("Tessaro")};
    Xutf8SetWMProperties(display_, dialog_, caption, caption, nullptr, 0, &size, &hints, &kind);
    const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
    XChangeProperty(display_, dialog_, XInternAtom(display_, "_NET_WM_NAME", False), utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(caption), static_cast<int>(std::strlen(caption)));
}

void X11Question::allocateColours()
{
    const int screen = DefaultScreen(display_);
    for (int i = 0; i < kColours; ++i) {
        XColor wanted{};
        wanted.red = static_cast<unsigned short>((kRgb[i] >> 16 & 0xFF) * kEightToSixteenBits);
        wanted.green = static_cast<unsigned short>((kRgb[i] >> 8 & 0xFF) * kEightToSixteenBits);
        wanted.blue = static_cast<unsigned short>((kRgb[i] & 0xFF) * kEightToSixteenBits);
        if (XAllocColor(display_, DefaultColormap(display_, screen), &wanted) != 0) {
            colours_[i] = wanted.pixel;
            allocated_[allocatedCount_++] = wanted.pixel;
        } else {
            const bool light = wanted.red + wanted.green + wanted.blue > 3 * 0x8000;
            colours_[i] = light ? WhitePixel(display_, screen) : BlackPixel(display_, screen);
        }
    }
}

std::optional<bool> X11Question::waitForAnswer(int endSignals)
{
    pollfd watched[] = {{ConnectionNumber(display_), POLLIN, 0}, {endSignals, POLLIN, 0}};
    for (;;) {
        XEvent event;
        while (nextEvent(event))
            if (const std::optional<bool> answer = answerTo(event))
                return answer;
        if (poll(watched, std::size(watched), kWaitForever) < 0 && errno != EINTR)
            return std::nullopt;
        if ((watched[1].revents & POLLIN) != 0)
            return false;
    }
}

// Reads what has come in, then takes the first event of the dialog's.
bool X11Question::nextEvent(XEvent& event)
{
    const auto forDialog = [](Display*, XEvent* e, XPointer dialog) -> Bool {
        return e->xany.window == *reinterpret_cast<::Window*>(dialog);
    };
    return XCheckIfEvent(display_, &event, forDialog, reinterpret_cast<XPointer>(&dialog_)) == True;
}

std::optional<bool> X11Question::answerTo(const XEvent& event)
{
    switch (event.type) {
    case Expose:
        if (event.xexpose.count == 0)
            draw();
        break;
    case MapNotify: XSetInputFocus(display_, dialog_, RevertToParent, CurrentTime); break;
    case KeyPress: heldKey_ = event.xkey.keycode; break;
    case KeyRelease:
        // On the release of a key pressed here: a key still held as the dialog closed
        // would reach the game, where Escape ends it.
        if (event.xkey.keycode == heldKey_)
            return answerToKey(event.xkey);
        break;
    case ButtonPress:
        if (event.xbutton.button == Button1)
            pressed_ = buttonAt(event.xbutton.x, event.xbutton.y);
        break;
    case ButtonRelease:
        if (event.xbutton.button == Button1 && pressed_ >= 0 && buttonAt(event.xbutton.x, event.xbutton.y) == pressed_)
            return buttons_[pressed_].answer;
        pressed_ = -1;
        break;
    case ClientMessage:
        if (event.xclient.message_type == protocols_ && static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow_)
            return false;
        break;
    default: break;
    }
    return std::nullopt;
}

// Return and Space take the focused button, Tab and the arrows move the focus,
// Escape says No, and Y and N answer at once, as the system's own boxes do.
std::optional<bool> X11Question::answerToKey(const XKeyEvent& key)
{
    XKeyEvent copy = key;
    switch (XLookupKeysym(&copy, 0)) {
    case XK_Return:
    case XK_KP_Enter:
    case XK_space: return buttons_[focused_].answer;
    case XK_Escape:
    case XK_n: return false;
    case XK_y: return true;
    case XK_Tab:
    case XK_Left:
    case XK_Right:
        focused_ = (focused_ + 1) % kButtons;
        draw();
        break;
    default: break;
    }
    return std::nullopt;
}

int X11Question::buttonAt(int x, int y) const
{
    for (int i = 0; i < kButtons; ++i)
        if (x >= buttons_[i].x && x < buttons_[i].x + buttonWidth_ && y >= buttonTop_ && y < buttonTop_ + buttonHeight_)
            return i;
    return -1;
}

void X11Question::draw()
{
    XSetForeground(display_, gc_, colours_[kBackground]);
    XFillRectangle(display_, dialog_, gc_, 0, 0, width_, height_);
    XSetForeground(display_, gc_, colours_[kInk]);
    Xutf8DrawString(display_, dialog_, font_, gc_, kPadding, kPadding + textAscent_, text_.c_str(),
                    static_cast<int>(text_.size()));
    for (int i = 0; i < kButtons; ++i)
        drawButton(buttons_[i], i == focused_);
    XFlush(display_);
}

void X11Question::drawButton(const Button& button, bool focused)
{
    XSetForeground(display_, gc_, colours_[kButtonFace]);
    XFillRectangle(display_, dialog_, gc_, button.x, buttonTop_, buttonWidth_, buttonHeight_);
    XSetForeground(display_, gc_, colours_[focused ? kFocusEdge : kButtonEdge]);
    XDrawRectangle(display_, dialog_, gc_, button.x, buttonTop_, buttonWidth_ - 1, buttonHeight_ - 1);
    XSetForeground(display_, gc_, colours_[kInk]);
    Xutf8DrawString(display_, dialog_, font_, gc_, button.x + (buttonWidth_ - textWidth(button.label)) / 2,
                    buttonTop_ + kButtonTextMargin + textAscent_, button.label,
                    static_cast<int>(std::strlen(button.label)));
}

// Gone, the dialog leaves the keyboard to the game where nothing else took it: the
// player presses Escape there next.
void X11Question::close()
{
    if (gc_ != nullptr)
        XFreeGC(display_, gc_);
    if (font_ != nullptr)
        XFreeFontSet(display_, font_);
    XFreeColors(display_, DefaultColormap(display_, DefaultScreen(display_)), allocated_, allocatedCount_, 0);
    if (dialog_ == 0)
        return;
    XDestroyWindow(display_, dialog_);
    ::Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    if (focus == None || focus == PointerRoot || focus == DefaultRootWindow(display_))
        XSetInputFocus(display_, owner_, RevertToParent, CurrentTime);
    XFlush(display_);
}

}  // namespace platform
