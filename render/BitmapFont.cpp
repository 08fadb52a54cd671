#include "render/BitmapFont.h"

#include "render/DeviceSystem.h"
#include "render/Sprite.h"

#include <cstdint>

namespace {

constexpr int kCell = 32;

bool glyphCell(unsigned char ch, int style, int& sourceX, int& sourceY)
{
    if (ch >= 'A' && ch <= 'Z') {
        const int k = ch - 'A';
        sourceX = (k % 16) * kCell;
        sourceY = (k / 16 + 3 * style + 1) * kCell;
        return true;
    }
    if (ch >= '0' && ch <= '9') {
        sourceX = (ch - '0') * kCell;
        sourceY = 3 * style * kCell;
        return true;
    }
    if (ch == '<') {
        sourceX = 320;
        sourceY = 3 * style * kCell + 64;
        return true;
    }
    return false;
}

}  // namespace

int BitmapFont::initialize(DeviceSystem* system, platform::Window*)
{
    system_ = system;
    system->fontSheet();
    spacing_ = 32;
    alpha_ = 255;
    return 0;
}

void BitmapFont::setColor(int red, int green, int blue)
{
    red_ = red;
    green_ = green;
    blue_ = blue;
}

int BitmapFont::drawString(int x, int y, const char* text, int style)
{
    system_->setBlendMode(BlendSetup::Alpha);
    Sprite& glyphs = system_->fontSheet();
    glyphs.setAlpha(static_cast<std::uint8_t>(alpha_));
    if (style == 2)
        glyphs.setColor(static_cast<std::uint8_t>(red_), static_cast<std::uint8_t>(green_),
                        static_cast<std::uint8_t>(blue_));
    else
        glyphs.setColor(255, 255, 255);
    for (int i = 0; text[i] != '\0'; ++i) {
        int sourceX = 0;
        int sourceY = 0;
        if (!glyphCell(static_cast<unsigned char>(text[i]), style, sourceX, sourceY))
            continue;
        glyphs.draw(static_cast<float>(x + i * spacing_), static_cast<float>(y), 0, kCell, kCell,
                    static_cast<float>(sourceX), static_cast<float>(sourceY), kCell, kCell);
    }
    return 0;
}
