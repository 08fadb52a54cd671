#pragma once

#include <SDL.h>

#include <atomic>
#include <string>
#include <thread>

namespace platform {

// While it lives, centres on a window the dialog SDL opens for it. Without a window
// manager SDL puts such a box at twice the window's offset from the screen's
// corner; a window manager may keep the place SDL asked for, a third of the way
// down the window.
class DialogCentring {
public:
    explicit DialogCentring(SDL_Window* owner);
    ~DialogCentring();

    DialogCentring(const DialogCentring&) = delete;
    DialogCentring& operator=(const DialogCentring&) = delete;

private:
    void watch(const std::string& display, unsigned long owner);

    std::atomic<bool> stopping_{false};
    std::thread watcher_;
};

}  // namespace platform
