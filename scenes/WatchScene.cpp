#include "scenes/WatchScene.h"

int WatchScene::initialize(DeviceSystem* system, int* sceneNumber)
{
    Scene::initialize(system, sceneNumber);
    return round_.initialize(system, &roundScene_);
}

int WatchScene::enter()
{
    roundScene_ = kGameScene;
    finished_ = false;
    round_.playBack(&replay_);
    return round_.enter();
}

int WatchScene::update()
{
    round_.update();
    finished_ = roundScene_ != kGameScene || round_.replayed().exhausted();
    return finished_ ? 1 : 0;
}
