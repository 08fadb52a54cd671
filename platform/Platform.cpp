#include "platform/Platform.h"

#include "platform/Device.h"

namespace platform {

namespace {
Platform* installed = nullptr;
}

void install(Platform* platform) { installed = platform; }
Platform& current() { return *installed; }

int metric(Metric m) { return installed->metric(m); }
Window* createWindow(int x, int y, int width, int height, const char* title, WindowProcedure procedure)
{
    return installed->createWindow(x, y, width, height, title, procedure);
}
void destroyWindow(Window* window) { installed->destroyWindow(window); }
bool takeMessage() { return installed->takeMessage(); }
std::uint32_t milliseconds() { return installed->milliseconds(); }
void sleep(std::uint32_t ms) { installed->sleep(ms); }
std::uint32_t randomSeed() { return installed->randomSeed(); }
bool askYesNo(Window* owner, const char* caption, const char* text)
{
    return installed->askYesNo(owner, caption, text);
}
void hidePointer() { installed->hidePointer(); }
Point pointer(Window* window) { return installed->pointer(window); }
void setPointer(Window* window, Point client) { installed->setPointer(window, client); }
bool isDown(Key key) { return installed->isDown(key); }
void endStep() { installed->endStep(); }
std::unique_ptr<Device> createDevice(Window* window) { return installed->createDevice(window); }
void enterFullScreen(Window* window) { installed->enterFullScreen(window); }
void showError(const char* text) { installed->showError(text); }

}  // namespace platform
