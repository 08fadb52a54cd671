#pragma once

#include "base/Field.h"
#include "platform/KeyLatch.h"
#include "platform/Letterbox.h"
#include "platform/Platform.h"

#include <emscripten/html5.h>

#include <deque>

namespace platform {

// The browser page through Emscripten's html5 events: the canvas as the window,
// the mouse or one finger as the pointer and left button, the page's clock.
// Events arrive while the game sleeps, which is also when the page gets to draw;
// the pointer follows at once, presses and releases wait to be taken as messages.
class WebPlatform : public Platform {
public:
    WebPlatform();

    Window* createWindow(int width, int height, const char* title, WindowProcedure procedure) override;
    void destroyWindow(Window* window) override;
    bool takeMessage() override;
    std::uint32_t milliseconds() override;
    void sleep(std::uint32_t ms) override;
    std::uint32_t randomSeed() override;
    bool askYesNo(Window* owner, const char* caption, const char* text) override;
    void hidePointer() override;
    Point pointer(Window* window) override;
    // A page cannot move the system pointer; the game keeps its drawn cursor in the field.
    void setPointer(Window*, Point) override {}
    bool isDown(Key key) override { return keys_.isDown(key); }
    void endStep() override;
    std::unique_ptr<Device> createDevice(Window* window) override;
    // The page went full screen in the answer's own click; the picture follows the resize.
    void enterFullScreen(Window*) override {}
    // The browser's console.
    void showError(const char* text) override;

    int steps() const { return steps_; }

private:
    // A button or key going down or up, kept until the game takes it as a message.
    struct Transition {
        Key key;
        bool down;
    };

    bool isOurs(Window* window) const;
    void place(int pageWidth, int pageHeight);
    void moveTo(long pageX, long pageY);
    void listen();

    static EM_BOOL onResize(int type, const EmscriptenUiEvent* event, void* self);
    static EM_BOOL onMouse(int type, const EmscriptenMouseEvent* event, void* self);
    static EM_BOOL onTouch(int type, const EmscriptenTouchEvent* event, void* self);
    static EM_BOOL onKey(int type, const EmscriptenKeyboardEvent* event, void* self);

    bool created_ = false;
    bool destroyed_ = false;
    bool asking_ = false;
    WindowProcedure procedure_ = nullptr;
    Letterbox letterbox_{0, 0, field::kWidth, field::kHeight};
    Point pointer_{-1, -1};
    // The finger that works the pointer; others are ignored until it lifts.
    long finger_ = -1;
    bool fingerDown_ = false;
    std::uint32_t lastYield_ = 0;
    int steps_ = 0;
    KeyLatch keys_;
    std::deque<Transition> transitions_;
};

}  // namespace platform
