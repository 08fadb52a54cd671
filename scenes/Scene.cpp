#include "scenes/Scene.h"

#include "render/DeviceSystem.h"

int Scene::initialize(DeviceSystem* system, int* sceneNumber)
{
    system_ = system;
    sceneNumber_ = sceneNumber;
    // Every scene starts from wrapped, point-sampled textures.
    system->setWrapAddressing();
    system->setFilter(Filter::Point);
    return 0;
}

void Scene::beginDraw(std::uint32_t background)
{
    system_->device()->clear(background);
    system_->setDefaultTextureStages();
    system_->setBlendMode(BlendSetup::Alpha);
}
