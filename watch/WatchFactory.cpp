#include "watch/WatchFactory.h"

#include "watch/WatchScene.h"

std::unique_ptr<Scene> WatchFactory::create(int number)
{
    if (number == kTitleScene)
        return std::make_unique<WatchScene>(replay_);
    return nullptr;
}
