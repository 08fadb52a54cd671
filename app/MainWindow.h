#pragma once

#include "platform/Platform.h"

// The game window and the program-wide quit flag that its closing sets.
class MainWindow {
public:
    // Outer position and size. Null on failure, with nothing stored. A new window
    // has not been closed: the quit flag is cleared.
    platform::Window* create(int x, int y, int width, int height, const char* title,
                             platform::WindowProcedure procedure);
    int quitRequested() const;
    platform::Window* windowHandle() const { return window_; }

    // The window procedure: a close destroys the window, whose destruction sets the flag.
    static void procedure(platform::Window* window, platform::Message message);

private:
    platform::Window* window_ = nullptr;
};
