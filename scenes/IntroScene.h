#pragma once

#include "render/Sprite.h"
#include "scenes/Scene.h"
#include "tools/Cursor.h"

// Three pages that teach the game; each fades in, and a click once it is half
// visible moves on. The third leads into the round.
class IntroScene : public Scene {
public:
    static constexpr int kPages = 3;

    int initialize(DeviceSystem* system, int* sceneNumber) override;
    int enter() override;
    int update() override;
    int draw() override;

    int page() const { return page_; }
    int fadeLevel() const { return fadeLevel_; }

private:
    Sprite pages_[kPages];
    Cursor cursor_;
    int page_ = 1;
    int fadeLevel_ = 0;
};
