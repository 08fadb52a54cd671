#include "app/MainWindow.h"

namespace {
int quitFlag = 0;
}

platform::Window* MainWindow::create(int x, int y, int width, int height, const char* title,
                                     platform::WindowProcedure procedure)
{
    platform::Window* window = platform::createWindow(x, y, width, height, title, procedure);
    if (window == nullptr)
        return nullptr;
    window_ = window;
    quitFlag = 0;
    return window;
}

int MainWindow::quitRequested() const { return quitFlag; }

void MainWindow::procedure(platform::Window* window, platform::Message message)
{
    switch (message) {
    case platform::Message::Close: platform::destroyWindow(window); break;
    case platform::Message::Destroy: quitFlag = 1; break;
    }
}
