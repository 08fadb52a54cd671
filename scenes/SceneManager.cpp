#include "scenes/SceneManager.h"

#include "render/DeviceSystem.h"

SceneManager::~SceneManager()
{
    for (std::unique_ptr<Scene>& scene : scenes_)
        scene.reset();
}

int SceneManager::initialize(DeviceSystem* system, SceneFactory& factory, Session& session)
{
    system_ = system;
    for (int number = 0; number < kSceneCount; ++number) {
        scenes_[number] = factory.create(number, session);
        if (scenes_[number])
            scenes_[number]->initialize(system, &current_);
    }
    current_ = kTitleScene;
    return 0;
}

Scene* SceneManager::scene(int number) const
{
    return number >= 0 && number < kSceneCount ? scenes_[number].get() : nullptr;
}

void SceneManager::switchTo(int number)
{
    current_ = number;
    entered_ = 0;
}

int SceneManager::update()
{
    const int before = current_;
    if (entered_ == 0) {
        if (Scene* s = scene(before))
            s->enter();
        entered_ = 1;
    }
    if (Scene* s = scene(current_)) {
        if (s->update() != 0)
            return 1;
    }
    if (current_ != before)
        entered_ = 0;
    return 0;
}

int SceneManager::draw()
{
    Device* device = system_->device();
    device->beginScene();
    if (entered_ == 1) {
        if (Scene* s = scene(current_))
            s->draw();
    }
    device->endScene();
    if (!device->present())
        device->reset();
    return 0;
}
