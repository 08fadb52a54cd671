#pragma once

#include "platform/Platform.h"

class DeviceSystem;
class Sprite;

// Text from the one glyph sheet shared by every font: digits, capitals and "<" in
// 32 x 32 cells, three styles. Any other byte draws nothing but takes its advance.
class BitmapFont {
public:
    int initialize(DeviceSystem* system, platform::Window* window);
    int drawString(int x, int y, const char* text, int style);
    void setAlpha(int alpha) { alpha_ = alpha; }
    void setSpacing(int spacing) { spacing_ = spacing; }
    // The tint of style 2; styles 0 and 1 keep the sheet's own colours.
    void setColor(int red, int green, int blue);

private:
    DeviceSystem* system_ = nullptr;
    int spacing_ = 32;
    int alpha_ = 255;
    int red_ = 255;
    int green_ = 255;
    int blue_ = 255;
};
