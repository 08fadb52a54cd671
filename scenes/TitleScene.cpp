#include "scenes/TitleScene.h"

#include "render/DeviceSystem.h"
#include "base/PortableMath.h"
#include "base/Field.h"

#include <span>

namespace {

struct HitBox {
    int left;
    int right;
    int top;
    int bottom;
};

// Inclusive bounds, tested in order; the first match wins.
constexpr HitBox kMainItems[] = {{250, 370, 250, 282}, {230, 400, 310, 332}, {260, 350, 370, 402}};
constexpr HitBox kQuestionItems[] = {{270, 350, 310, 332}, {280, 350, 370, 402}};

template <int N>
int itemAt(const HitBox (&boxes)[N], platform::Point p)
{
    for (int i = 0; i < N; ++i)
        if (p.x >= boxes[i].left && p.x <= boxes[i].right && p.y >= boxes[i].top && p.y <= boxes[i].bottom)
            return i + 1;
    return 0;
}

struct MenuText {
    const char* text;
    int x;
    int y;
    int red;
    int green;
    int blue;
    int item;  // white while this item is highlighted; 0 never
};

constexpr MenuText kMainTexts[] = {
    {"START", 250, 250, 255, 32, 32, 1}, {"RANKING", 230, 310, 255, 255, 32, 2}, {"EXIT", 260, 370, 32, 32, 255, 3}};
constexpr MenuText kQuestionTexts[] = {
    {"INTRODUCTION", 170, 250, 255, 32, 32, 0}, {"YES", 270, 310, 255, 32, 32, 1}, {"NO", 280, 370, 32, 32, 255, 2}};

}  // namespace

int TitleScene::initialize(DeviceSystem* system, int* sceneNumber)
{
    Scene::initialize(system, sceneNumber);
    Device* device = system->device();
    cursor_.initialize(system, system->windowHandle());
    font_.initialize(system, system->windowHandle());
    fade_.initialize(device);
    enemy_.load(device, "data/enemy01.png");
    enemy_.setTextureSize(64, 64);
    title_.load(device, "data/title.png");
    title_.setTextureSize(512, 512);
    return 0;
}

int TitleScene::enter()
{
    stepCounter_ = 0;
    for (Floater& f : floaters_) {
        f.x = session_.world.random.range(0, field::kWidth);
        f.y = session_.world.random.range(0, field::kHeight);
        f.dx = session_.world.random.range(-1, 1);
        f.dy = session_.world.random.range(-1, 1);
    }
    menuState_ = kMainMenu;
    return 0;
}

void TitleScene::moveFloaters()
{
    for (Floater& f : floaters_) {
        f.x += f.dx;
        if (f.x <= 0 || f.x >= field::kWidth)
            f.dx = -f.dx;
        f.y += f.dy;
        if (f.y <= 0 || f.y >= field::kHeight)
            f.dy = -f.dy;
    }
}

int TitleScene::update()
{
    const platform::Point pointer = system_->platform().pointer(system_->windowHandle());
    const bool pressed = system_->platform().isDown(platform::Key::LeftButton);
    moveFloaters();
    switch (menuState_) {
    case kMainMenu:
        highlighted_ = itemAt(kMainItems, pointer);
        if (pressed && highlighted_ == 1) {
            menuState_ = kQuestion;
        } else if (pressed && highlighted_ == 2) {
            session_.result.setPending(0);
            *sceneNumber_ = kRankingScene;
        } else if (pressed && highlighted_ == 3) {
            return 1;
        }
        break;
    case kQuestion:
        highlighted_ = itemAt(kQuestionItems, pointer);
        if (pressed && highlighted_ != 0) {
            menuState_ = kFading;
            fadeLevel_ = 0;
        }
        break;
    default:
        // The answer clicked stays highlighted: it is not recomputed while fading.
        fadeLevel_ += 2;
        if (fadeLevel_ >= 255)
            *sceneNumber_ = highlighted_ == 1 ? kIntroScene : kGameScene;
        break;
    }
    if (++stepCounter_ == 360)
        stepCounter_ = 0;
    return 0;
}

void TitleScene::drawArtwork()
{
    for (const Floater& f : floaters_) {
        enemy_.setAlpha(128);
        enemy_.drawWhole(static_cast<float>(f.x - 32), static_cast<float>(f.y - 32), 0, 64, 64);
    }
    title_.setRotation(0);
    title_.draw(125, 10, 0, 390, 160, 0, 0, 390, 160);
    system_->setFilter(Filter::Linear);
    title_.setRotation(static_cast<float>(stepCounter_));
    title_.draw(75, 50, 0, 390, 60, 0, 160, 390, 60);
    system_->setFilter(Filter::Point);
    title_.setRotation(0);
    const auto bob = static_cast<float>(100 + 8 * pmath::sin(stepCounter_ * 0.017453292));
    title_.draw(175, bob, 0, 390, 60, 0, 220, 390, 60);
    title_.draw(210, 430, 0, 220, 50, 0, 280, 220, 50);
}

void TitleScene::drawMenu()
{
    if (menuState_ == kFading) {
        fade_.veil(255, 255, 128, fadeLevel_);
        return;
    }
    font_.setSpacing(24);
    for (const MenuText& t : menuState_ == kMainMenu ? std::span<const MenuText>(kMainTexts)
                                                      : std::span<const MenuText>(kQuestionTexts)) {
        if (t.item != 0 && t.item == highlighted_)
            font_.setColor(255, 255, 255);
        else
            font_.setColor(t.red, t.green, t.blue);
        font_.drawString(t.x, t.y, t.text, 2);
    }
}

int TitleScene::draw()
{
    beginDraw(0xFFFFFF80);
    drawArtwork();
    drawMenu();
    cursor_.updateAndDraw();
    return 0;
}
