#pragma once

#include "render/BitmapFont.h"
#include "render/SolidRect.h"
#include "render/Sprite.h"
#include "scenes/Scene.h"
#include "scenes/Session.h"
#include "tools/Cursor.h"

// The first screen: the logo over drifting enemies and the START, RANKING and
// EXIT menu, with the INTRODUCTION question after START.
class TitleScene : public Scene {
public:
    explicit TitleScene(Session& session) : session_(session) {}
    enum MenuState { kMainMenu = 0, kQuestion = 1, kFading = 2 };
    static constexpr int kFloaters = 16;

    int initialize(DeviceSystem* system, int* sceneNumber) override;
    int enter() override;
    int update() override;
    int draw() override;

    int menuState() const { return menuState_; }
    int highlighted() const { return highlighted_; }
    int fadeLevel() const { return fadeLevel_; }

private:
    struct Floater {
        double x;
        double y;
        double dx;
        double dy;
    };

    void moveFloaters();
    void drawArtwork();
    void drawMenu();

    BitmapFont font_;
    SolidRect fade_;
    Sprite enemy_;
    Sprite title_;
    Cursor cursor_;
    Floater floaters_[kFloaters] = {};
    Session& session_;
    int menuState_ = kMainMenu;
    int highlighted_ = 0;
    int fadeLevel_ = 0;
};
