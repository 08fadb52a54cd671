#include "scenes/NameEntryScene.h"

#include "render/DeviceSystem.h"

#include <cstring>

namespace {

constexpr int kKey = 32;
constexpr int kLetters = 26;
constexpr platform::Point kSpaceKey{386, 290};
constexpr platform::Point kDeleteKey{436, 290};

platform::Point letterCell(int i) { return {86 + 50 * (i % 10), 150 + 70 * (i / 10)}; }

bool inCell(platform::Point p, platform::Point cell)
{
    return p.x >= cell.x && p.x < cell.x + kKey && p.y >= cell.y && p.y < cell.y + kKey;
}

bool inOk(platform::Point p) { return p.x >= 300 && p.x < 364 && p.y >= 400 && p.y < 432; }

// The key under the pointer: a letter, ' ' for space, '<' for delete, or 0.
char keyAt(platform::Point p)
{
    for (int i = 0; i < kLetters; ++i)
        if (inCell(p, letterCell(i)))
            return static_cast<char>('A' + i);
    if (inCell(p, kSpaceKey))
        return ' ';
    if (inCell(p, kDeleteKey))
        return '<';
    return 0;
}

}  // namespace

int NameEntryScene::initialize(DeviceSystem* system, int* sceneNumber)
{
    Scene::initialize(system, sceneNumber);
    Device* device = system->device();
    cursor_.initialize(system, system->windowHandle());
    font_.initialize(system, system->windowHandle());
    marker_.load(device, "data/cursor2.png");
    marker_.setTextureSize(64, 64);
    marker_.setColor(255, 32, 32);
    overlay_.initialize(device);
    return 0;
}

int NameEntryScene::enter()
{
    stepCounter_ = 0;
    std::memset(name_, ' ', kNameLength);
    name_[kNameLength] = '\0';
    fadeIn_ = 128;
    position_ = 0;
    fadeOut_ = 0;
    leaving_ = false;
    return 0;
}

void NameEntryScene::type(char ch)
{
    if (ch == '<') {
        if (position_ > 0)
            name_[--position_] = ' ';
    } else if (ch != 0 && position_ < kNameLength) {
        name_[position_++] = ch;
    }
}

void NameEntryScene::press(platform::Point p)
{
    type(keyAt(p));
    if (inOk(p))
        leaving_ = true;
    latch_ = true;
}

int NameEntryScene::update()
{
    const platform::Point pointer = system_->platform().pointer(system_->windowHandle());
    if (leaving_) {
        fadeOut_ += 4;
        if (fadeOut_ >= 255) {
            fadeOut_ = 255;
            *sceneNumber_ = kRankingScene;
            session_.result.setName(name_);
            session_.result.setPending(1);
            // In the step that hands over, so that whoever sees the ranking scene
            // finds the round's replay already named.
            session_.replays.nameLastRound(session_.result.name());
        }
        return 0;
    }
    if (fadeIn_ > 0) {
        --fadeIn_;
        return 0;
    }
    if (!system_->platform().isDown(platform::Key::LeftButton))
        latch_ = false;
    else if (!latch_)
        press(pointer);
    if (++stepCounter_ == 360)
        stepCounter_ = 0;
    return 0;
}

void NameEntryScene::drawKeyboard()
{
    font_.setColor(255, 255, 255);
    for (int i = 0; i < kLetters; ++i) {
        const char letter[2] = {static_cast<char>('A' + i), '\0'};
        font_.drawString(letterCell(i).x, letterCell(i).y, letter, 2);
    }
    font_.drawString(kSpaceKey.x, kSpaceKey.y, " ", 2);
    font_.drawString(kDeleteKey.x, kDeleteKey.y, "<", 2);
    font_.setColor(255, 32, 32);
    font_.drawString(300, 400, "OK", 2);
}

void NameEntryScene::drawHover(platform::Point p)
{
    for (int i = 0; i < kLetters; ++i)
        if (inCell(p, letterCell(i)))
            marker_.drawWhole(static_cast<float>(letterCell(i).x - 16), static_cast<float>(letterCell(i).y - 16), 0, 64, 64);
    for (platform::Point key : {kSpaceKey, kDeleteKey})
        if (inCell(p, key))
            marker_.drawWhole(static_cast<float>(key.x - 16), static_cast<float>(key.y - 16), 0, 64, 64);
    if (inOk(p))
        marker_.drawWhole(296, 384, 0, 64, 64);
}

int NameEntryScene::draw()
{
    beginDraw(0xFFFFC040);
    font_.setSpacing(24);
    font_.setColor(255, 255, 255);
    font_.drawString(200, 20, "NAME ENTRY", 2);
    font_.setColor(255, 32, 32);
    font_.drawString(220, 80, name_, 2);
    marker_.setAlpha(96);
    marker_.drawWhole(static_cast<float>(204 + 24 * position_), 64, 0, 64, 64);
    drawKeyboard();
    drawHover(system_->platform().pointer(system_->windowHandle()));
    if (fadeOut_ > 0)
        overlay_.veil(255, 192, 64, fadeOut_);
    cursor_.updateAndDraw();
    if (fadeIn_ > 0)
        overlay_.veil(0, 0, 0, 2 * fadeIn_);
    return 0;
}
