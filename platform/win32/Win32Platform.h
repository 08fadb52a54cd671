#pragma once

#include "platform/KeyLatch.h"
#include "platform/Letterbox.h"
#include "platform/Platform.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace platform {

// The operating system through Win32 and the multimedia timer.
class Win32Platform : public Platform {
public:
    Win32Platform();
    ~Win32Platform() override;

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
    bool isDown(Key key) override;
    void endStep() override { keys_.endStep(); }
    std::unique_ptr<Device> createDevice(Window* window) override;
    void enterFullScreen(Window* window) override;
    // A message box, since a Windows program has no terminal to write to.
    void showError(const char* text) override;

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void note(const MSG& message);
    Letterbox letterbox() const;

    HINSTANCE instance_;
    HWND window_ = nullptr;
    bool comStarted_ = false;
    KeyLatch keys_;
    // Reached from the window, which keeps this platform beside it.
    WindowProcedure procedure_;
};

}  // namespace platform
