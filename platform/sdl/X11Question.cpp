#include "platform/sdl/X11Question.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <langinfo.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstring>

namespace platform {

namespace {

constexpr const char* kFonts = "-*-*-medium-r-normal--*-120-*-*-*-*-*-*,-*-*-*-*-*--*-120-*-*-*-*-*-*,fixed";
constexpr int kPadding = 20;
constexpr int kButtonGap = 12;
constexpr int kButtonMinWidth = 80;
constexpr int kButtonTextMargin = 8;
constexpr int kMinWidth = 240;
constexpr unsigned kBackground = 0xF0F0F0;
constexpr unsigned kInk = 0x000000;
constexpr unsigned kButtonFace = 0xE1E1E1;
constexpr unsigned kButtonEdge = 0xADADAD;
constexpr unsigned kFocusEdge = 0x0078D7;
// A window manager places the frame where asked, so the dialog itself lands off by
// the frame's border: a few moves, each after the manager has acted, correct it.
constexpr int kMoves = 4;
constexpr int kSettleMs = 50;

// Xlib chooses the fonts for the text's characters by LC_CTYPE. The game runs in
// the "C" locale, so for the dialog's life the character type is a UTF-8 one, the
// user's where that is UTF-8; the game's own is put back afterwards.
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

std::optional<Point> onScreen(Display* display, ::Window window)
{
    Point place{0, 0};
    ::Window child = 0;
    if (XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &place.x, &place.y, &child)
        == False)
        return std::nullopt;
    return place;
}

std::optional<Point> centredOn(Display* display, ::Window owner, int width, int height)
{
    XWindowAttributes attributes;
    const std::optional<Point> corner = onScreen(display, owner);
    if (!corner || XGetWindowAttributes(display, owner, &attributes) == 0)
        return std::nullopt;
    return Point{corner->x + (attributes.width - width) / 2, corner->y + (attributes.height - height) / 2};
}

// The owner may close while the dialog is up: requests about it then fail, and
// Xlib's default answer to a failed request would end the game. Only the dialog's
// connection lets them fail; every other keeps the handler it had.
Display* questionDisplay = nullptr;
XErrorHandler previousHandler = nullptr;

int letQuestionRequestsFail(Display* display, XErrorEvent* error)
{
    if (display == questionDisplay)
        return 0;
    return previousHandler != nullptr ? previousHandler(display, error) : 0;
}

}  // namespace

X11Question::X11Question(Display* display, ::Window owner)
    : display_(display), owner_(owner), buttons_{{"Yes", true, 0}, {"No", false, 0}}
{
}

X11Question::~X11Question()
{
    if (font_ != nullptr)
        XFreeFontSet(display_, font_);
    if (gc_ != nullptr)
        XFreeGC(display_, gc_);
    if (dialog_ != 0)
        XDestroyWindow(display_, dialog_);
    XFlush(display_);
}

std::optional<bool> X11Question::ask(const char* caption, const char* text)
{
    const Utf8CharacterType characterType;
    if (!loadFont())
        return std::nullopt;
    questionDisplay = display_;
    previousHandler = XSetErrorHandler(letQuestionRequestsFail);
    layOut(text);
    std::optional<bool> answer;
    if (open(caption)) {
        pollfd connection{ConnectionNumber(display_), POLLIN, 0};
        while (!answer) {
            XEvent event;
            while (!answer && nextEvent(event))
                answer = answerTo(event);
            if (!answer && poll(&connection, 1, kSettleMs) == 0)
                centre();
        }
    }
    XSync(display_, False);
    XSetErrorHandler(previousHandler);
    questionDisplay = nullptr;
    return answer;
}

bool X11Question::nextEvent(XEvent& event)
{
    const auto forDialog = [](Display*, XEvent* e, XPointer dialog) -> Bool {
        return e->xany.window == *reinterpret_cast<::Window*>(dialog);
    };
    XPending(display_);
    return XCheckIfEvent(display_, &event, forDialog, reinterpret_cast<XPointer>(&dialog_)) == True;
}

bool X11Question::loadFont()
{
    char** missing = nullptr;
    int missingCount = 0;
    char* fallback = nullptr;
    font_ = XCreateFontSet(display_, kFonts, &missing, &missingCount, &fallback);
    if (missing != nullptr)
        XFreeStringList(missing);
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
    const int screen = DefaultScreen(display_);
    const Point place = centredOn(display_, owner_, width_, height_).value_or(Point{0, 0});
    XSetWindowAttributes attributes{};
    attributes.background_pixel = colour(kBackground);
    attributes.event_mask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask | StructureNotifyMask;
    dialog_ = XCreateWindow(display_, RootWindow(display_, screen), place.x, place.y, width_, height_, 0,
                            CopyFromParent, InputOutput, CopyFromParent, CWBackPixel | CWEventMask, &attributes);
    if (dialog_ == 0)
        return false;
    gc_ = XCreateGC(display_, dialog_, 0, nullptr);
    name(caption);
    XSetTransientForHint(display_, dialog_, owner_);
    deleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display_, dialog_, &deleteWindow_, 1);
    const Atom type = XInternAtom(display_, "_NET_WM_WINDOW_TYPE", False);
    const Atom dialogType = XInternAtom(display_, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(display_, dialog_, type, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&dialogType), 1);
    requested_ = place;
    XMapRaised(display_, dialog_);
    XFlush(display_);
    return true;
}

// The caption in both the old and the UTF-8 property, with a fixed size and the
// place asked for, which a window manager should keep.
void X11Question::name(const char* caption)
{
    XSizeHints size{};
    size.flags = USPosition | PMinSize | PMaxSize;
    size.min_width = size.max_width = width_;
    size.min_height = size.max_height = height_;
    XWMHints hints{};
    hints.flags = InputHint;
    hints.input = True;
    XClassHint kind{const_cast<char*>("tessaro"), const_cast<char*>("Tessaro")};
    Xutf8SetWMProperties(display_, dialog_, caption, caption, nullptr, 0, &size, &hints, &kind);
    const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
    XChangeProperty(display_, dialog_, XInternAtom(display_, "_NET_WM_NAME", False), utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(caption), static_cast<int>(std::strlen(caption)));
}

std::optional<bool> X11Question::answerTo(const XEvent& event)
{
    switch (event.type) {
    case Expose:
        if (event.xexpose.count == 0)
            draw();
        break;
    case MapNotify:
        mapped_ = true;
        XSetInputFocus(display_, dialog_, RevertToParent, CurrentTime);
        break;
    case KeyPress:
        heldKey_ = event.xkey.keycode;
        break;
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
        if (static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow_)
            return false;
        break;
    default: break;
    }
    return std::nullopt;
}

// Return takes the focused button, Tab and the arrows move the focus, Escape says
// No, and Y and N answer at once, as the system's own boxes do.
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
    XSetForeground(display_, gc_, colour(kBackground));
    XFillRectangle(display_, dialog_, gc_, 0, 0, width_, height_);
    XSetForeground(display_, gc_, colour(kInk));
    Xutf8DrawString(display_, dialog_, font_, gc_, kPadding, kPadding + textAscent_, text_.c_str(),
                    static_cast<int>(text_.size()));
    for (int i = 0; i < kButtons; ++i)
        drawButton(buttons_[i], i == focused_);
    XFlush(display_);
}

void X11Question::drawButton(const Button& button, bool focused)
{
    XSetForeground(display_, gc_, colour(kButtonFace));
    XFillRectangle(display_, dialog_, gc_, button.x, buttonTop_, buttonWidth_, buttonHeight_);
    XSetForeground(display_, gc_, colour(focused ? kFocusEdge : kButtonEdge));
    XDrawRectangle(display_, dialog_, gc_, button.x, buttonTop_, buttonWidth_ - 1, buttonHeight_ - 1);
    XSetForeground(display_, gc_, colour(kInk));
    const int length = static_cast<int>(std::strlen(button.label));
    Xutf8DrawString(display_, dialog_, font_, gc_, button.x + (buttonWidth_ - textWidth(button.label)) / 2,
                    buttonTop_ + kButtonTextMargin + textAscent_, button.label, length);
}

unsigned long X11Question::colour(unsigned rgb)
{
    constexpr unsigned short kChannelScale = 257;  // 8 bits to X's 16
    XColor wanted{};
    wanted.red = static_cast<unsigned short>((rgb >> 16 & 0xFF) * kChannelScale);
    wanted.green = static_cast<unsigned short>((rgb >> 8 & 0xFF) * kChannelScale);
    wanted.blue = static_cast<unsigned short>((rgb & 0xFF) * kChannelScale);
    const int screen = DefaultScreen(display_);
    if (XAllocColor(display_, DefaultColormap(display_, screen), &wanted) == 0)
        return (rgb & 0x808080) != 0 ? WhitePixel(display_, screen) : BlackPixel(display_, screen);
    return wanted.pixel;
}

// Each move asks for what is left over, once the window manager has acted on the last.
void X11Question::centre()
{
    if (!mapped_ || moves_ >= kMoves)
        return;
    const std::optional<Point> target = centredOn(display_, owner_, width_, height_);
    const std::optional<Point> now = onScreen(display_, dialog_);
    if (!target || !now || (target->x == now->x && target->y == now->y)) {
        moves_ = kMoves;
        return;
    }
    requested_ = Point{requested_.x + target->x - now->x, requested_.y + target->y - now->y};
    XMoveWindow(display_, dialog_, requested_.x, requested_.y);
    XFlush(display_);
    ++moves_;
}

}  // namespace platform
