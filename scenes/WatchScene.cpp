#include "scenes/WatchScene.h"

int WatchScene::initialize(DeviceSystem* system, int* sceneNumber)
{
    Scene::initialize(system, sceneNumber);
    return round_.initialize(system, &roundScene_);
}

int WatchScene::enter()
{
    roundScene_ = kGameScene;
    round_.playBack(&replay_);
    return round_.enter();
}

int WatchScene::update()
{
    round_.update();
    return roundScene_ != kGameScene || round_.replayed().exhausted() ? 1 : 0;
}
