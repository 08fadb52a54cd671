#include "scenes/Scene.h"

#include "app/DeviceSystem.h"

int Scene::initialize(DeviceSystem* system, int* sceneNumber)
{
    system_ = system;
    sceneNumber_ = sceneNumber;
    // Every scene starts from wrapped, point-sampled textures.
    system->setWrapAddressing();
    system->setFilter(Filter::Point);
    return 0;
}
