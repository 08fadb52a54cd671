#include "scenes/IntroScene.h"

#include "render/DeviceSystem.h"

#include <cstdio>

int IntroScene::initialize(DeviceSystem* system, int* sceneNumber)
{
    Scene::initialize(system, sceneNumber);
    Device* device = system->device();
    cursor_.initialize(system, system->windowHandle());
    for (int i = 0; i < kPages; ++i) {
        char file[32];
        std::snprintf(file, sizeof file, "data/intro%d.png", i + 1);
        pages_[i].load(device, file);
        pages_[i].setTextureSize(512, 512);
    }
    return 0;
}

int IntroScene::enter()
{
    stepCounter_ = 0;
    page_ = 1;
    fadeLevel_ = 0;
    return 0;
}

int IntroScene::update()
{
    fadeLevel_ += 2;
    if (fadeLevel_ > 255)
        fadeLevel_ = 255;
    if (system_->platform().isDown(platform::Key::LeftButton) && fadeLevel_ >= 128) {
        if (page_ < kPages)
            ++page_;
        else
            *sceneNumber_ = kGameScene;
        fadeLevel_ = 0;
    }
    ++stepCounter_;
    return 0;
}

int IntroScene::draw()
{
    beginDraw(0xFFFFC040);
    Sprite& current = pages_[page_ - 1];
    current.setRotation(0);
    current.setAlpha(static_cast<std::uint8_t>(fadeLevel_));
    current.drawWhole(64, 0, 0, 512, 512);
    cursor_.updateAndDraw();
    return 0;
}
