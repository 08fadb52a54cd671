#include "tools/Cursor.h"

#include "app/DeviceSystem.h"

void Cursor::initialize(DeviceSystem* system, platform::Window* window)
{
    system_ = system;
    window_ = window;
    sprite_.load(system->device(), "data/cursor.png");
    sprite_.setTextureSize(64, 64);
}

void Cursor::updateAndDraw()
{
    platform::Point p = platform::pointer(window_);
    p.x = p.x <= 0 ? 0 : (p.x >= 640 ? 640 : p.x);
    p.y = p.y <= 0 ? 0 : (p.y >= 480 ? 480 : p.y);
    platform::setPointer(window_, p);
    sprite_.drawWhole(static_cast<float>(p.x), static_cast<float>(p.y), 0, 64, 64);
}
