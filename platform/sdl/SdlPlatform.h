#pragma once

#include "platform/KeyLatch.h"
#include "platform/Letterbox.h"
#include "platform/Platform.h"
#include "platform/sdl/WindowGeometry.h"

#include <SDL.h>

#include <optional>
#include <string>

namespace platform {

// The operating system through SDL2: one window, its events, the clock, the pointer.
class SdlPlatform : public Platform {
public:
    // The game shows a window on X11 or Wayland; off screen, the same program runs
    // unseen, for measuring what it costs.
    enum class Video { Window, Offscreen };

    explicit SdlPlatform(Video video = Video::Window);
    ~SdlPlatform() override;

    Window* createWindow(int width, int height, const char* title, WindowProcedure procedure) override;
    void destroyWindow(Window* window) override;
    bool takeMessage() override;
    std::uint32_t milliseconds() override;
    void sleep(std::uint32_t ms) override;
    std::uint32_t randomSeed() override;
    bool askYesNo(Window* owner, const char* caption, const char* text) override;
    void hidePointer() override;
    Point pointer(Window* window) override;
    void setPointer(Window* window, Point client) override;
    bool isDown(Key key) override { return keys_.isDown(key); }
    void endStep() override { keys_.endStep(); }
    std::unique_ptr<Device> createDevice(Window* window) override;
    void enterFullScreen(Window* window) override;
    void showError(const char* text) override;

private:
    Letterbox letterbox() const;
    Point currentPointer() const;
    void handle(const SDL_Event& event);

    Video video_;
    bool sdlStarted_ = false;
    bool ready_ = false;
    // Why SDL's video did not start.
    std::string failure_;
    SDL_Window* window_ = nullptr;
    std::optional<WindowGeometry> geometry_;
    bool destroyed_ = false;
    bool fullScreen_ = false;
    // The place pointer() last gave, in client coordinates, or the place it was
    // moved to since; read afresh in each pass of the main loop.
    Point lastPointer_{-1, -1};
    bool pointerRead_ = false;
    WindowProcedure procedure_ = nullptr;
    KeyLatch keys_;
};

}  // namespace platform
