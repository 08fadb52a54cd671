#pragma once

#include "app/Application.h"
#include "app/MainWindow.h"
#include "scenes/SceneFactory.h"

#include <string>
#include <utility>

// The entry function with the objects that live for the whole run, destroyed in
// the reverse of this order.
class Program {
public:
    explicit Program(platform::Platform& platform) : platform_(platform), window_(platform) {}
    // The same program on other scenes, as the replay viewer's, under its own title.
    Program(platform::Platform& platform, SceneFactory& factory, std::string title = kTitle) : Program(platform)
    {
        factory_ = &factory;
        title_ = std::move(title);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // 0 once the game has run and ended; kCannotStart when it could not start, after
    // the player has been told why.
    int run();
    static constexpr int kCannotStart = 1;
    static constexpr const char* kTitle = "Tessaro";
    const Application& application() const { return application_; }
    Application& application() { return application_; }

private:
    platform::Platform& platform_;
    MainWindow window_;
    Application application_;
    SceneFactory gameFactory_;
    SceneFactory* factory_ = &gameFactory_;
    std::string title_ = kTitle;
};
