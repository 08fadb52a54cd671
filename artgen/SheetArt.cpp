#include "artgen/SheetArt.h"

#include "artgen/Lettering.h"
#include "artgen/Shapes.h"
#include "artgen/SpriteArt.h"

#include <cstring>
#include <numbers>
#include <string>

namespace {

const Color kInk = Color::rgb(34, 24, 48);
const Color kWhite{1, 1, 1, 1};

// The three glyph styles: 0 cool white for results and the HUD, 1 hot gold for
// titles, combo and HP, 2 plain white that the game tints.
const Lettering::Style kSheetStyles[3] = {
    {kWhite, Color::rgb(170, 225, 255), Color::rgb(16, 30, 70), 1.9f, 1.5f},
    {Color::rgb(255, 245, 120), Color::rgb(255, 110, 30), Color::rgb(80, 16, 10), 1.9f, 1.5f},
    {kWhite, Color::rgb(232, 232, 232), Color::rgb(30, 30, 36), 1.9f, 1.5f},
};

void glyphRow(Canvas& c, int row, const char* glyphs, int style)
{
    for (int i = 0; glyphs[i] != '\0'; ++i)
        if (glyphs[i] != ' ')
            Lettering::glyph(c, i * 32 + 4.0f, row * 32 + 6.0f, glyphs[i], 3.6f, 3.3f, kSheetStyles[style]);
}

const Lettering::Style kPageTitle{Color::rgb(255, 250, 150), Color::rgb(255, 120, 40), kInk, 2.6f, 2.0f};
const Lettering::Style kPageText{Color::rgb(40, 40, 90), Color::rgb(20, 20, 60), Color::rgb(255, 250, 235), 1.5f, 1.2f};
const Lettering::Style kFieldText{kWhite, Color::rgb(230, 236, 255), kInk, 1.5f, 1.4f};

// A small play field framed like the game's own, for the pictures of the pages.
void field(Canvas& c, float left, float top, float width, float height)
{
    c.fill([&](float x, float y) { return shapes::roundBox(x, y, left + width / 2, top + height / 2, width / 2 + 3, height / 2 + 3, 12); }, kInk);
    c.paint(0, 0, c.width(), c.height(),
            [&](float x, float y) { return shapes::roundBox(x, y, left + width / 2, top + height / 2, width / 2, height / 2, 10); },
            [&](float x, float y) {
                const bool light = (static_cast<int>((x - left) / 24) + static_cast<int>((y - top) / 24)) % 2 == 0;
                return light ? Color::rgb(30, 206, 34) : Color::rgb(16, 192, 16);
            });
}

void sprite(Canvas& c, const Canvas& image, float cx, float cy, float size, float alpha = 1)
{
    const float scale = size / image.width();
    c.draw(image, cx - size / 2, cy - size / 2, scale, alpha);
}

void chainTo(Canvas& c, float ax, float ay, float bx, float by, float scale)
{
    const Canvas link = SpriteArt::chain();
    for (int i = 0; i < 6; ++i)
        sprite(c, link, ax + (bx - ax) * i / 6, ay + (by - ay) * i / 6, 32 * scale);
}

void dots(Canvas& c, const shapes::Points& path, const Color& color)
{
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
        const float dx = path[i + 1].first - path[i].first;
        const float dy = path[i + 1].second - path[i].second;
        const int n = static_cast<int>(std::hypot(dx, dy) / 12);
        for (int k = 0; k < n; ++k) {
            const float px = path[i].first + dx * k / n;
            const float py = path[i].second + dy * k / n;
            c.fill([&](float x, float y) { return shapes::circle(x, y, px, py, 3); }, color);
        }
    }
}

void arrowHead(Canvas& c, float x, float y, float dx, float dy, const Color& color)
{
    const float l = std::hypot(dx, dy);
    dx /= l, dy /= l;
    const shapes::Points head = {{x + dx * 12, y + dy * 12}, {x - dy * 9, y + dx * 9}, {x + dy * 9, y - dx * 9}};
    c.fill([&](float px, float py) { return shapes::polygon(px, py, head) - 1.5f; }, kInk);
    c.fill([&](float px, float py) { return shapes::polygon(px, py, head); }, color);
}

void glow(Canvas& c, float cx, float cy, float size)
{
    for (int y = 0; y < static_cast<int>(size); ++y)
        for (int x = 0; x < static_cast<int>(size); ++x) {
            const float r = std::hypot(x - size / 2, y - size / 2) / (size / 2);
            if (r < 1)
                c.blend(static_cast<int>(cx - size / 2) + x, static_cast<int>(cy - size / 2) + y,
                        Color::rgb(255, 220, 90), std::pow(1 - r, 1.6f) * 0.9f);
        }
}

void page(Canvas& c, int number, const char* heading)
{
    c.fill([](float x, float y) { return shapes::roundBox(x, y, 258, 246, 242, 226, 22); }, Color{0, 0, 0, 0.25f});
    c.fill([](float x, float y) { return shapes::roundBox(x, y, 256, 242, 242, 226, 22); }, kInk);
    c.fill([](float x, float y) { return shapes::roundBox(x, y, 256, 242, 238, 222, 19); }, Color::rgb(255, 236, 190));
    c.fill([](float x, float y) { return shapes::circle(x, y, 52, 52, 24); }, kInk);
    c.fill([](float x, float y) { return shapes::circle(x, y, 52, 52, 21); }, Color::rgb(255, 90, 70));
    const std::string n = std::to_string(number);
    Lettering::centred(c, 52, 40, n.c_str(), 4.4f, 4.0f, {kWhite, kWhite, kInk, 2.4f, 1.6f});
    // Long headings shrink to stay inside the page.
    const float unit = std::min(5.0f, 390 / (Lettering::advance(1) * std::strlen(heading)));
    Lettering::text(c, 92, 34 + (5.0f - unit) * 3, heading, unit, 5.0f - (5.0f - unit) * 0.5f, kPageTitle);
}

void caption(Canvas& c, float y, const char* text)
{
    Lettering::centred(c, 256, y, text, 2.5f, 2.6f, kPageText);
}

}  // namespace

Canvas SheetArt::font()
{
    Canvas c(512, 512);
    for (int style = 0; style < 3; ++style) {
        glyphRow(c, 3 * style, "0123456789", style);
        glyphRow(c, 3 * style + 1, "ABCDEFGHIJKLMNOP", style);
        glyphRow(c, 3 * style + 2, "QRSTUVWXYZ<", style);
    }
    return c;
}

Canvas SheetArt::background()
{
    Canvas c(512, 512);
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x) {
            const float dx = x + 0.5f - 256;
            const float dy = y + 0.5f - 256;
            const float r = std::hypot(dx, dy);
            // The pattern fades out toward the edges, which meet the plain green exactly.
            const float edge = std::clamp(std::min({x + 0.5f, 511.5f - x, y + 0.5f, 511.5f - y}) / 56, 0.0f, 1.0f);
            const bool tile = (x / 32 + y / 32) % 2 == 0;
            const float ring = 0.5f + 0.5f * std::cos(r / 48 * std::numbers::pi_v<float> * 2);
            const float centre = std::clamp(1 - r / 300, 0.0f, 1.0f);
            float k = (tile ? 0.035f : 0) + ring * 0.03f * centre + centre * 0.06f;
            if (std::fabs(r - 74) < 2.5f)
                k += 0.05f * std::clamp(2.5f - std::fabs(r - 74), 0.0f, 1.0f);
            k *= edge;
            const Color green = Color::rgb(16, 192, 16);
            c.blend(x, y, green.mixed(Color::rgb(120, 235, 90), k * 2.2f), 1);
        }
    return c;
}

Canvas SheetArt::title()
{
    Canvas c(512, 512);
    // The logo: the name, its shadow, and a rule under it.
    const Lettering::Style shadow{Color{0, 0, 0, 0.28f}, Color{0, 0, 0, 0.28f}, Color{0, 0, 0, 0.28f}, 5.0f, 3.0f};
    const Lettering::Style name{Color::rgb(255, 236, 80), Color::rgb(255, 70, 40), kInk, 5.0f, 3.2f};
    Lettering::centred(c, 199, 20, "TESSARO", 9.4f, 10.4f, shadow);
    Lettering::centred(c, 195, 15, "TESSARO", 9.4f, 10.4f, name);
    c.fill([](float x, float y) { return shapes::segment(x, y, 60, 96, 330, 96, 2.5f); }, kInk);
    const Canvas bomb = SpriteArt::bomb();
    sprite(c, bomb, 30, 116, 40);
    sprite(c, bomb, 360, 116, 40);
    // The turning band: two comets on opposite ends, circling the logo.
    for (int side = -1; side <= 1; side += 2)
        for (int i = 0; i < 6; ++i) {
            const float x = 195 + side * (186 - i * 12.0f);
            const float r = 5.5f - i * 0.8f;
            c.fill([&](float px, float py) { return shapes::circle(px, py, x, 190, r); },
                   Color::rgb(255, 255, 255, 0.95f - i * 0.12f));
            c.fill([&](float px, float py) { return shapes::circle(px, py, x, 190, r * 0.55f); },
                   Color::rgb(255, 200, 60, 0.9f - i * 0.12f));
        }
    // The bobbing band: the subtitle, centred on the screen once drawn.
    Lettering::centred(c, 145, 236, "SWING THE BOMB", 3.2f, 3.6f, {kWhite, Color::rgb(200, 240, 255), kInk, 2.0f, 1.8f});
    // The bottom strip.
    Lettering::centred(c, 120, 296, "MOUSE ONLY", 2.6f, 2.8f, {Color::rgb(90, 80, 120), Color::rgb(60, 50, 90), Color{1, 1, 1, 0.9f}, 1.5f, 1.4f});
    c.fill([](float x, float y) { return shapes::roundBox(x, y, 30, 305, 8, 11, 7) - 1.5f; }, Color::rgb(60, 50, 90));
    c.fill([](float x, float y) { return shapes::roundBox(x, y, 30, 305, 8, 11, 7); }, kWhite);
    c.fill([](float x, float y) { return shapes::roundBox(x, y, 26.5f, 299, 3.5f, 5, 2); }, Color::rgb(255, 80, 60));
    return c;
}

Canvas SheetArt::introPage(int number)
{
    Canvas c(512, 512);
    const Canvas base = SpriteArt::base();
    const Canvas bombImage = SpriteArt::bomb();
    const Canvas cursor = SpriteArt::cursor();
    if (number == 1) {
        page(c, 1, "GRAB THE BOMB");
        field(c, 40, 90, 432, 270);
        sprite(c, base, 200, 225, 128);
        dots(c, {{236, 250}, {362, 194}}, Color{1, 1, 1, 0.9f});
        arrowHead(c, 366, 192, 110, -50, kWhite);
        chainTo(c, 200, 225, 380, 150, 1);
        sprite(c, bombImage, 380, 150, 64);
        c.draw(cursor, 378, 150, 1);
        caption(c, 378, "PRESS THE LEFT BUTTON ON THE BOMB");
        caption(c, 408, "AND DRAG IT OUT");
    } else if (number == 2) {
        page(c, 2, "LET GO");
        field(c, 40, 90, 432, 270);
        sprite(c, base, 256, 225, 128);
        dots(c, {{120, 290}, {250, 230}, {455, 150}, {380, 250}}, Color{1, 1, 1, 0.9f});
        arrowHead(c, 378, 252, -40, 60, kWhite);
        chainTo(c, 256, 225, 120, 290, 1);
        sprite(c, bombImage, 120, 290, 64);
        glow(c, 410, 190, 70);
        sprite(c, SpriteArt::walker(), 410, 190, 64);
        glow(c, 160, 140, 70);
        sprite(c, SpriteArt::runner(), 160, 140, 64);
        caption(c, 378, "IT SWINGS ON ITS SPRING");
        caption(c, 404, "AND BOUNCES OFF THE EDGES");
        caption(c, 430, "FAST HITS HURT ENEMIES MORE");
    } else {
        page(c, 3, "PROTECT THE BASE");
        field(c, 40, 90, 432, 250);
        sprite(c, base, 256, 215, 128);
        sprite(c, SpriteArt::armoured(), 90, 150, 64);
        dots(c, {{128, 164}, {176, 182}}, Color::rgb(255, 90, 70));
        arrowHead(c, 180, 184, 60, 22, Color::rgb(255, 90, 70));
        sprite(c, SpriteArt::wanderer(), 420, 290, 64);
        dots(c, {{390, 279}, {342, 261}}, Color::rgb(255, 90, 70));
        arrowHead(c, 338, 259, -60, -22, Color::rgb(255, 90, 70));
        Lettering::text(c, 330, 120, "100 HP", 3.0f, 3.2f, kFieldText);
        Lettering::text(c, 90, 290, "-3 HP", 3.0f, 3.2f, {Color::rgb(255, 120, 100), Color::rgb(230, 50, 40), kInk, 1.8f, 1.5f});
        caption(c, 356, "EACH ENEMY AT THE BASE COSTS 3 HP");
        caption(c, 384, "CHAIN KILLS INTO COMBOS");
        caption(c, 410, "FOR MORE POINTS");
        caption(c, 436, "SURVIVE 180 SECONDS FOR THE BONUS");
    }
    return c;
}

Canvas SheetArt::icon(int side)
{
    // Large icons are drawn at their size, sharp; small ones are shrunk from the
    // sprite, so that they look like the bomb in play.
    if (side >= SpriteArt::kBombSide)
        return SpriteArt::bombOfSide(side);
    Canvas c(side, side);
    c.draw(SpriteArt::bomb(), 0, 0, static_cast<float>(side) / SpriteArt::kBombSide);
    return c;
}
