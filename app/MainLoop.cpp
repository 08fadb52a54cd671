#include "app/MainLoop.h"

#include "app/Application.h"
#include "app/MainWindow.h"
#include "platform/Platform.h"

#include <cstdint>

namespace {
constexpr std::uint32_t kStepMs = 16;
constexpr std::uint32_t kMaxSteps = 5;
}  // namespace

int MainLoop::dueSteps()
{
    const std::uint32_t now = platform_.milliseconds();
    const std::uint32_t elapsed = now - reference_;  // modulo 2^32: right across the wrap
    const std::uint32_t due = elapsed / kStepMs;
    if (due == 0) {
        platform_.sleep(kStepMs - elapsed);
        reference_ = platform_.milliseconds();
        return 1;
    }
    if (due <= kMaxSteps) {
        reference_ += due * kStepMs;
        return static_cast<int>(due);
    }
    reference_ = now;
    return static_cast<int>(kMaxSteps);
}

int MainLoop::run(Application& application, const MainWindow& window)
{
    application.session().world.random.seed(platform_.randomSeed());
    int running = 1;
    reference_ = 0;
    while (window.quitRequested() == 0 && running == 1) {
        if (!platform_.takeMessage()) {
            const int due = dueSteps();
            int ran = 0;
            for (; ran < due; ++ran) {
                const int ended = application.update();
                platform_.endStep();
                if (ended != 0) {
                    running = 0;
                    break;
                }
            }
            if (ran == due)
                application.draw();
        }
        if (platform_.isDown(platform::Key::Escape))
            running = 0;
    }
    return 0;
}
