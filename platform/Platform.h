#pragma once

#include <cstdint>
#include <functional>
#include <memory>

class Device;

// What the game asks of the operating system: one implementation per back end,
// made by the program's entry and handed to what needs it.
namespace platform {

struct Window;  // the game window, opaque to the game

struct Point {
    int x;
    int y;
    bool operator==(const Point&) const = default;
};

enum class Key { LeftButton, Escape };
enum class Message { Close, Destroy };

// Called while a message is dispatched, as a window procedure is.
using WindowProcedure = std::function<void(Window*, Message)>;

class Platform {
public:
    virtual ~Platform() = default;

    // A window centred on the screen, with a drawing area of the size given inside
    // whatever frame the system gives it; null on failure, once the player is told.
    virtual Window* createWindow(int width, int height, const char* title, WindowProcedure procedure) = 0;
    // Dispatches Destroy to the window's procedure before it returns.
    virtual void destroyWindow(Window* window) = 0;
    // Takes and dispatches at most one pending message; never blocks.
    virtual bool takeMessage() = 0;
    // Milliseconds that wrap like a 32-bit counter.
    virtual std::uint32_t milliseconds() = 0;
    virtual void sleep(std::uint32_t ms) = 0;
    // The value the random sequence is seeded with when the main loop starts.
    virtual std::uint32_t randomSeed() = 0;
    // True for Yes. Asked before the first frame, owned by the window.
    virtual bool askYesNo(Window* owner, const char* caption, const char* text) = 0;
    virtual void hidePointer() = 0;
    // Client coordinates; outside the window they are negative or too large.
    virtual Point pointer(Window* window) = 0;
    virtual void setPointer(Window* window, Point client) = 0;
    // A level; a press released before the next step still reads down in that step.
    virtual bool isDown(Key key) = 0;
    // The main loop ends an update step: presses already released stop reading down.
    virtual void endStep() = 0;
    // Null when no device can be had for the window.
    virtual std::unique_ptr<Device> createDevice(Window* window) = 0;
    virtual void enterFullScreen(Window* window) = 0;
    // Tells the player why the game cannot go on, where the player will see it.
    virtual void showError(const char* text) = 0;
};

}  // namespace platform
