#include "platform/web/WebPlatform.h"

#include "base/Field.h"
#include "platform/gl/GlDevice.h"
#include "platform/web/PageBridge.h"
#include "platform/web/WebGlContext.h"

#include <emscripten.h>

#include <cmath>
#include <cstdio>
#include <cstring>

namespace platform {

namespace {
constexpr const char* kCanvas = "#canvas";
// Longest the game may run without giving the page a turn: input, drawing, timers.
constexpr std::uint32_t kMaxBusyMs = 50;
constexpr std::uint32_t kAnswerPollMs = 20;
constexpr int kPending = -1;
constexpr int kYes = 1;
constexpr unsigned short kLeftButton = 0;

// The canvas is the one window; any stable address names it.
Window* theWindow()
{
    static char token;
    return reinterpret_cast<Window*>(&token);
}
}  // namespace

WebPlatform::WebPlatform() : lastYield_(milliseconds()) {}

// The canvas has no frame, and the page places it.
Window* WebPlatform::createWindow(int, int, const char* title, WindowProcedure procedure)
{
    if (created_)
        return nullptr;
    created_ = true;
    procedure_ = procedure;
    tessaro_set_title(title);
    emscripten_set_canvas_element_size(kCanvas, field::kWidth, field::kHeight);
    place(tessaro_page_width(), tessaro_page_height());
    listen();
    return theWindow();
}

void WebPlatform::listen()
{
    const char* page = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_resize_callback(page, this, false, &WebPlatform::onResize);
    // On the whole page, so that a drag that leaves the canvas keeps reporting.
    emscripten_set_mousedown_callback(page, this, false, &WebPlatform::onMouse);
    emscripten_set_mouseup_callback(page, this, false, &WebPlatform::onMouse);
    emscripten_set_mousemove_callback(page, this, false, &WebPlatform::onMouse);
    emscripten_set_touchstart_callback(page, this, false, &WebPlatform::onTouch);
    emscripten_set_touchmove_callback(page, this, false, &WebPlatform::onTouch);
    emscripten_set_touchend_callback(page, this, false, &WebPlatform::onTouch);
    emscripten_set_touchcancel_callback(page, this, false, &WebPlatform::onTouch);
    emscripten_set_keydown_callback(page, this, false, &WebPlatform::onKey);
    emscripten_set_keyup_callback(page, this, false, &WebPlatform::onKey);
}

bool WebPlatform::isOurs(Window* window) const { return created_ && window == theWindow(); }

void WebPlatform::destroyWindow(Window* window)
{
    if (!isOurs(window) || destroyed_)
        return;
    destroyed_ = true;
    if (procedure_ != nullptr)
        procedure_(window, Message::Destroy);
}

bool WebPlatform::takeMessage()
{
    // Presses and releases arrive while the game sleeps, which is before its next steps;
    // taken one at a time here, as a desktop's messages are, each is read by the loop
    // before a step can let a quick tap go.
    if (!transitions_.empty()) {
        const Transition t = transitions_.front();
        transitions_.pop_front();
        if (t.down)
            keys_.press(t.key);
        else
            keys_.release(t.key);
        return true;
    }
    // A loop that is behind never sleeps, so it gives the page a turn here.
    if (milliseconds() - lastYield_ >= kMaxBusyMs)
        sleep(0);
    return false;
}

std::uint32_t WebPlatform::milliseconds()
{
    // Whole milliseconds since the page started, wrapping like a 32-bit counter.
    return static_cast<std::uint32_t>(static_cast<unsigned long long>(emscripten_get_now()));
}

void WebPlatform::sleep(std::uint32_t ms)
{
    // Until milliseconds() reads ms more than it does now, and no later if the page lets
    // it: the main loop's new reference is the clock after the sleep (pace.js).
    tessaro_sleep_until(std::floor(emscripten_get_now()) + ms);
    lastYield_ = milliseconds();
}

std::uint32_t WebPlatform::randomSeed() { return milliseconds(); }

bool WebPlatform::askYesNo(Window*, const char* caption, const char* text)
{
    asking_ = true;
    tessaro_ask(caption, text);
    int answer = kPending;
    while ((answer = tessaro_answer()) == kPending)
        sleep(kAnswerPollMs);
    asking_ = false;
    return answer == kYes;
}

void WebPlatform::hidePointer() { tessaro_hide_pointer(); }

Point WebPlatform::pointer(Window* window) { return isOurs(window) ? pointer_ : Point{-1, -1}; }

void WebPlatform::endStep()
{
    keys_.endStep();
    ++steps_;
}

std::unique_ptr<Device> WebPlatform::createDevice(Window* window)
{
    if (!isOurs(window))
        return nullptr;
    std::unique_ptr<Device> device = GlDevice::create(WebGlContext::create(kCanvas));
    if (!device)
        showError("this browser gives the page no WebGL 2 context: the game needs WebGL 2");
    return device;
}

void WebPlatform::showError(const char* text) { std::fprintf(stderr, "tessaro: %s\n", text); }

void WebPlatform::place(int pageWidth, int pageHeight)
{
    letterbox_ = Letterbox::fit(pageWidth, pageHeight);
    tessaro_place_canvas(letterbox_.x, letterbox_.y, letterbox_.width, letterbox_.height);
}

void WebPlatform::moveTo(long pageX, long pageY)
{
    pointer_ = letterbox_.toClient({static_cast<int>(pageX), static_cast<int>(pageY)});
}

EM_BOOL WebPlatform::onResize(int, const EmscriptenUiEvent* event, void* self)
{
    static_cast<WebPlatform*>(self)->place(event->windowInnerWidth, event->windowInnerHeight);
    return false;
}

EM_BOOL WebPlatform::onMouse(int type, const EmscriptenMouseEvent* event, void* self)
{
    auto& web = *static_cast<WebPlatform*>(self);
    web.moveTo(event->clientX, event->clientY);
    // Clicks on the question are the question's, not the game's.
    if (web.asking_ || event->button != kLeftButton)
        return false;
    if (type == EMSCRIPTEN_EVENT_MOUSEDOWN)
        web.transitions_.push_back({Key::LeftButton, true});
    else if (type == EMSCRIPTEN_EVENT_MOUSEUP)
        web.transitions_.push_back({Key::LeftButton, false});
    return false;
}

EM_BOOL WebPlatform::onTouch(int type, const EmscriptenTouchEvent* event, void* self)
{
    auto& web = *static_cast<WebPlatform*>(self);
    if (web.asking_)
        return false;  // the buttons need their taps
    for (int i = 0; i < event->numTouches; ++i) {
        const EmscriptenTouchPoint& touch = event->touches[i];
        if (!touch.isChanged)
            continue;
        if (type == EMSCRIPTEN_EVENT_TOUCHSTART && !web.fingerDown_) {
            web.finger_ = touch.identifier;
            web.fingerDown_ = true;
            web.moveTo(touch.clientX, touch.clientY);
            web.transitions_.push_back({Key::LeftButton, true});
        } else if (web.fingerDown_ && touch.identifier == web.finger_) {
            web.moveTo(touch.clientX, touch.clientY);
            if (type == EMSCRIPTEN_EVENT_TOUCHEND || type == EMSCRIPTEN_EVENT_TOUCHCANCEL) {
                web.fingerDown_ = false;
                web.transitions_.push_back({Key::LeftButton, false});
            }
        }
    }
    // Taken: no scrolling, zooming or made-up mouse events besides.
    return true;
}

EM_BOOL WebPlatform::onKey(int type, const EmscriptenKeyboardEvent* event, void* self)
{
    auto& web = *static_cast<WebPlatform*>(self);
    if (web.asking_ || std::strcmp(event->key, "Escape") != 0)
        return false;
    web.transitions_.push_back({Key::Escape, type == EMSCRIPTEN_EVENT_KEYDOWN});
    return true;
}

}  // namespace platform
