#pragma once

#include "platform/Platform.h"

// The game window and the quit flag that its closing sets.
class MainWindow {
public:
    explicit MainWindow(platform::Platform& platform) : platform_(platform) {}
    // The window's procedure holds this object.
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // A drawing area of the size given. Null on failure, with nothing stored. A new
    // window has not been closed: the quit flag is cleared.
    platform::Window* create(int width, int height, const char* title);
    int quitRequested() const { return quitRequested_; }
    platform::Window* windowHandle() const { return window_; }

private:
    // A close destroys the window, whose destruction sets the flag.
    void handle(platform::Window* window, platform::Message message);

    platform::Platform& platform_;
    platform::Window* window_ = nullptr;
    int quitRequested_ = 0;
};
