#pragma once

#include "render/BitmapFont.h"
#include "render/SolidRect.h"
#include "render/Sprite.h"
#include "scenes/Scene.h"
#include "scenes/Session.h"
#include "tools/Cursor.h"

// An on-screen keyboard for a name of up to eight characters, confirmed with OK.
// Each press acts once, however long it is held.
class NameEntryScene : public Scene {
public:
    explicit NameEntryScene(Session& session) : session_(session) {}
    static constexpr int kNameLength = 8;

    int initialize(DeviceSystem* system, int* sceneNumber) override;
    int enter() override;
    int update() override;
    int draw() override;

    const char* name() const { return name_; }
    int position() const { return position_; }
    bool leaving() const { return leaving_; }

private:
    void press(platform::Point p);
    void type(char ch);
    void drawKeyboard();
    void drawHover(platform::Point p);

    Session& session_;
    BitmapFont font_;
    SolidRect overlay_;
    Sprite marker_;
    Cursor cursor_;
    char name_[16] = {};
    int position_ = 0;
    // Survives enter: the press that confirmed the last visit may still be held.
    bool latch_ = false;
    bool leaving_ = false;
    int fadeOut_ = 0;
    int fadeIn_ = 0;
};
