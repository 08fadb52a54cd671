#include "scenes/WatchFactory.h"

#include "scenes/WatchScene.h"

std::unique_ptr<Scene> WatchFactory::create(int number, Session& session)
{
    if (number != kTitleScene)
        return nullptr;
    auto scene = std::make_unique<WatchScene>(replay_, session);
    scene_ = scene.get();
    return scene;
}
