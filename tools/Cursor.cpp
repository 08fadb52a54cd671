#include "tools/Cursor.h"

#include "render/DeviceSystem.h"
#include "base/Field.h"

#include <algorithm>

void Cursor::initialize(DeviceSystem* system, platform::Window* window)
{
    live_ = LiveInput(system->platform(), window);
    sprite_.load(system->device(), "data/cursor.png");
    sprite_.setTextureSize(64, 64);
}

void Cursor::updateAndDraw(RoundInput& input)
{
    platform::Point p = input.pointer();
    p.x = std::clamp(p.x, 0, field::kWidth);
    p.y = std::clamp(p.y, 0, field::kHeight);
    input.pinPointer(p);
    sprite_.drawWhole(static_cast<float>(p.x), static_cast<float>(p.y), 0, 64, 64);
}
