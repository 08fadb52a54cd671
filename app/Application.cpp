#include "app/Application.h"

namespace {
const char* const kQuestionCaption = "質問";
const char* const kQuestionText = "フルスクリーンで起動しますか？";
}  // namespace

int Application::initialize(platform::Platform& platform, platform::Window* window, SceneFactory& factory)
{
    if (system_.initialize(platform, window) != 0)
        return 1;
    if (factory.asksFullScreen() && platform.askYesNo(window, kQuestionCaption, kQuestionText))
        system_.enterFullScreen();
    platform.hidePointer();
    scenes_.initialize(&system_, factory, session_);
    return 0;
}

int Application::update() { return scenes_.update() == 1 ? 1 : 0; }

int Application::draw()
{
    scenes_.draw();
    return 0;
}
