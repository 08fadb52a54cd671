#pragma once

class Application;
class MainWindow;

// Fixed 16 ms steps: each pass takes one message, or runs one to five steps and
// draws a frame. A slow machine catches up by at most five steps, then slows down.
class MainLoop {
public:
    int run(Application& application, const MainWindow& window);

private:
    // Steps due in this pass; sleeps first when less than one step has passed.
    int dueSteps();

    unsigned reference_ = 0;
};
