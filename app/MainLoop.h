#pragma once

#include "platform/Platform.h"

class Application;
class MainWindow;

// Fixed 16 ms steps: each pass takes one message, or runs one to five steps and
// draws a frame. A slow machine catches up by at most five steps, then slows down.
class MainLoop {
public:
    explicit MainLoop(platform::Platform& platform) : platform_(platform) {}
    int run(Application& application, const MainWindow& window);

private:
    // Steps due in this pass; sleeps first when less than one step has passed.
    int dueSteps();

    platform::Platform& platform_;
    unsigned reference_ = 0;
};
