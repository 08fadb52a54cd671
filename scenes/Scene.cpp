#include "scenes/Scene.h"

int Scene::initialize(DeviceSystem* system, int* sceneNumber)
{
    system_ = system;
    sceneNumber_ = sceneNumber;
    return 0;
}
