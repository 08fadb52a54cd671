#pragma once

#include <cstdint>
#include <memory>

class Device;

// What the game asks of the operating system. One implementation is installed at
// start-up; the game calls the free functions below, which forward to it.
namespace platform {

struct Window;  // the game window, opaque to the game

struct Point {
    int x;
    int y;
    bool operator==(const Point&) const = default;
};

enum class Key { LeftButton, Escape };
enum class Message { Close, Destroy };
enum class Metric { DialogFrameWidth, DialogFrameHeight, CaptionHeight, ScreenWidth, ScreenHeight };

// Called while a message is dispatched, as a window procedure is.
using WindowProcedure = void (*)(Window*, Message);

class Platform {
public:
    virtual ~Platform() = default;

    virtual int metric(Metric metric) = 0;
    // Outer position and size; null on failure.
    virtual Window* createWindow(int x, int y, int width, int height, const char* title,
                                 WindowProcedure procedure) = 0;
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

void install(Platform* platform);
Platform& current();

int metric(Metric metric);
Window* createWindow(int x, int y, int width, int height, const char* title, WindowProcedure procedure);
void destroyWindow(Window* window);
bool takeMessage();
std::uint32_t milliseconds();
void sleep(std::uint32_t ms);
std::uint32_t randomSeed();
bool askYesNo(Window* owner, const char* caption, const char* text);
void hidePointer();
Point pointer(Window* window);
void setPointer(Window* window, Point client);
bool isDown(Key key);
void endStep();
std::unique_ptr<Device> createDevice(Window* window);
void enterFullScreen(Window* window);
void showError(const char* text);

}  // namespace platform
