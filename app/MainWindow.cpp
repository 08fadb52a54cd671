#include "app/MainWindow.h"

platform::Window* MainWindow::create(int width, int height, const char* title)
{
    platform::Window* window = platform_.createWindow(
        width, height, title, [this](platform::Window* w, platform::Message message) { handle(w, message); });
    if (window == nullptr)
        return nullptr;
    window_ = window;
    quitRequested_ = 0;
    return window;
}

void MainWindow::handle(platform::Window* window, platform::Message message)
{
    switch (message) {
    case platform::Message::Close: platform_.destroyWindow(window); break;
    case platform::Message::Destroy: quitRequested_ = 1; break;
    }
}
