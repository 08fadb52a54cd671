#include "artgen/SpriteArt.h"

#include "artgen/Shapes.h"

#include <numbers>

namespace {

const Color kInk = Color::rgb(34, 24, 48);

// A body of the given shape: outline, shaded fill and a highlight.
template <class Distance>
void body(Canvas& c, Distance d, float cx, float cy, float r, const Color& base, float border = 2.0f)
{
    c.fill([&](float x, float y) { return d(x, y) - border; }, kInk);
    c.paint(0, 0, c.width(), c.height(), d, [&](float x, float y) {
        const float light = std::clamp(-((x - cx) * 0.55f + (y - cy) * 0.8f) / r, -1.0f, 1.0f);
        return light >= 0 ? base.mixed(Color{1, 1, 1, 1}, light * 0.35f) : base.scaled(1 + light * 0.35f);
    });
    c.fill([&](float x, float y) { return shapes::ellipse(x, y, cx - r * 0.38f, cy - r * 0.45f, r * 0.3f, r * 0.16f); },
           Color{1, 1, 1, 0.55f});
}

void eye(Canvas& c, float x, float y, float r, float lookX = 0, float lookY = 0.2f)
{
    c.fill([&](float px, float py) { return shapes::circle(px, py, x, y, r + 1.2f); }, kInk);
    c.fill([&](float px, float py) { return shapes::circle(px, py, x, y, r); }, Color{1, 1, 1, 1});
    c.fill([&](float px, float py) { return shapes::circle(px, py, x + lookX * r * 0.4f, y + lookY * r * 0.4f, r * 0.5f); }, kInk);
}

void brow(Canvas& c, float ax, float ay, float bx, float by)
{
    c.fill([&](float x, float y) { return shapes::segment(x, y, ax, ay, bx, by, 1.3f); }, kInk);
}

void pod(Canvas& c, float cx, float cy, float r)
{
    body(c, [&](float x, float y) { return shapes::circle(x, y, cx, cy, r); }, cx, cy, r, Color::rgb(255, 120, 185),
         r > 12 ? 2.0f : 1.4f);
    eye(c, cx, cy + r * 0.1f, r * 0.38f);
}

}  // namespace

Canvas SpriteArt::walker()
{
    Canvas c(64, 64);
    c.fill([](float x, float y) { return shapes::segment(x, y, 32, 17, 38, 9, 1.4f); }, kInk);
    c.fill([](float x, float y) { return shapes::circle(x, y, 39, 8, 2.6f); }, Color::rgb(255, 220, 80));
    body(c, [](float x, float y) { return shapes::circle(x, y, 32, 33, 15); }, 32, 33, 15, Color::rgb(235, 64, 64));
    eye(c, 27, 31, 3.6f);
    eye(c, 37, 31, 3.6f);
    return c;
}

Canvas SpriteArt::wanderer()
{
    Canvas c(64, 64);
    const shapes::Points outline = shapes::star(32, 32, 7, 17, 12.5f);
    body(c, [&](float x, float y) { return shapes::polygon(x, y, outline) - 1.5f; }, 32, 32, 16, Color::rgb(170, 92, 232));
    eye(c, 32, 32, 5.5f, 0.4f, 0);
    return c;
}

Canvas SpriteArt::runner()
{
    Canvas c(64, 64);
    const shapes::Points diamond = {{32, 15}, {48, 32}, {32, 49}, {16, 32}};
    body(c, [&](float x, float y) { return shapes::polygon(x, y, diamond) - 1.0f; }, 32, 32, 15, Color::rgb(255, 186, 36));
    eye(c, 27, 31, 3.2f);
    eye(c, 37, 31, 3.2f);
    brow(c, 23, 25, 30, 28);
    brow(c, 41, 25, 34, 28);
    return c;
}

Canvas SpriteArt::armoured()
{
    Canvas c(64, 64);
    body(c, [](float x, float y) { return shapes::circle(x, y, 32, 32, 29.5f); }, 32, 32, 29.5f, Color::rgb(214, 226, 240));
    for (int i = 0; i < 8; ++i) {
        const float a = std::numbers::pi_v<float> * i / 4;
        const float rx = 32 + 23 * std::cos(a);
        const float ry = 32 + 23 * std::sin(a);
        c.fill([&](float x, float y) { return shapes::circle(x, y, rx, ry, 2.2f); }, Color::rgb(150, 165, 190));
    }
    c.fill([](float x, float y) { return shapes::roundBox(x, y, 32, 32, 13, 6, 5) - 1.5f; }, kInk);
    c.fill([](float x, float y) { return shapes::roundBox(x, y, 32, 32, 11, 4, 3.5f); }, Color::rgb(120, 210, 255));
    c.fill([](float x, float y) { return shapes::circle(x, y, 27, 32, 2.2f); }, Color{1, 1, 1, 1});
    c.fill([](float x, float y) { return shapes::circle(x, y, 37, 32, 2.2f); }, Color{1, 1, 1, 1});
    return c;
}

Canvas SpriteArt::circler()
{
    Canvas c(64, 64);
    body(c, [](float x, float y) { return shapes::ellipse(x, y, 32, 36, 19, 9); }, 32, 36, 19, Color::rgb(196, 250, 226));
    body(c, [](float x, float y) { return shapes::ellipse(x, y, 32, 29, 10, 9); }, 32, 29, 10, Color::rgb(235, 252, 255), 1.6f);
    for (float lx : {20.0f, 32.0f, 44.0f})
        c.fill([&](float x, float y) { return shapes::circle(x, y, lx, 38.5f, 2.0f); }, Color::rgb(40, 170, 140));
    eye(c, 32, 29, 3.4f);
    return c;
}

Canvas SpriteArt::bigEnemy()
{
    Canvas c(128, 128);
    const shapes::Points spikes = shapes::star(64, 64, 12, 48, 38, std::numbers::pi_v<float> / 12);
    body(c, [&](float x, float y) { return shapes::polygon(x, y, spikes) - 1.5f; }, 64, 64, 46, Color::rgb(236, 214, 150));
    body(c, [](float x, float y) { return shapes::circle(x, y, 64, 64, 36); }, 64, 64, 36, Color::rgb(252, 242, 204));
    eye(c, 52, 60, 7);
    eye(c, 76, 60, 7);
    brow(c, 42, 47, 58, 52);
    brow(c, 86, 47, 70, 52);
    c.fill([](float x, float y) { return shapes::roundBox(x, y, 64, 82, 12, 3, 3); }, kInk);
    return c;
}

Canvas SpriteArt::splitter()
{
    Canvas c(128, 128);
    body(c, [](float x, float y) { return shapes::circle(x, y, 64, 64, 35); }, 64, 64, 35, Color::rgb(250, 214, 236));
    for (int i = 0; i < 6; ++i) {
        const float a = std::numbers::pi_v<float> * i / 3;
        pod(c, 64 + 40 * std::cos(a), 64 + 40 * std::sin(a), 11);
    }
    eye(c, 64, 64, 9, 0, 0.3f);
    return c;
}

Canvas SpriteArt::child()
{
    Canvas c(64, 64);
    pod(c, 32, 32, 19);
    return c;
}

Canvas SpriteArt::flash()
{
    Canvas c(128, 128);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            const float r = std::hypot(x + 0.5f - 64, y + 0.5f - 64) / 64;
            const float v = r >= 1 ? 0 : std::pow(1 - r, 2.2f);
            c.blend(x, y, Color{v, v, v, v}, 1);
        }
    return c;
}

Canvas SpriteArt::cursor()
{
    Canvas c(64, 64);
    // The tip is the top-left pixel: the outline starts exactly there.
    const shapes::Points arrow = {{1.6f, 1.6f}, {1.6f, 27}, {8, 21}, {12.5f, 31}, {17.5f, 29}, {13, 19.5f}, {21.5f, 19.5f}};
    c.fill([&](float x, float y) { return shapes::polygon(x, y, arrow) - 1.6f; }, kInk);
    c.paint(0, 0, 64, 64, [&](float x, float y) { return shapes::polygon(x, y, arrow); },
            [](float, float y) { return Color{1, 1, 1, 1}.mixed(Color::rgb(255, 236, 140), y / 32); });
    return c;
}

Canvas SpriteArt::chain()
{
    Canvas c(32, 32);
    const auto ring = [](float x, float y) {
        const float outer = shapes::ellipse(x, y, 16, 16, 11, 8);
        const float inner = shapes::ellipse(x, y, 16, 16, 5.5f, 3);
        return std::max(outer, -inner);
    };
    body(c, ring, 16, 16, 11, Color::rgb(176, 184, 200), 1.6f);
    return c;
}

Canvas SpriteArt::bomb() { return bombOfSide(kBombSide); }

Canvas SpriteArt::bombOfSide(int side)
{
    const float k = static_cast<float>(side) / kBombSide;
    const float mid = 32 * k;
    Canvas c(side, side);
    const shapes::Points spikes = shapes::star(mid, mid, 10, 31 * k, 22 * k);
    c.fill([&](float x, float y) { return shapes::polygon(x, y, spikes) - 0.6f * k; }, kInk);
    c.fill([&](float x, float y) { return shapes::polygon(x, y, spikes) + 1.2f * k; }, Color::rgb(120, 124, 140));
    body(c, [&](float x, float y) { return shapes::circle(x, y, mid, mid, 22 * k); }, mid, mid, 22 * k,
         Color::rgb(62, 62, 76), 2.0f * k);
    c.fill([&](float x, float y) { return shapes::circle(x, y, mid, mid, 9 * k); }, Color::rgb(120, 20, 20));
    c.paint(0, 0, side, side, [&](float x, float y) { return shapes::circle(x, y, mid, mid, 7 * k); }, [&](float x, float y) {
        const float t = std::clamp(std::hypot(x - mid, y - mid) / (7 * k), 0.0f, 1.0f);
        return Color::rgb(255, 240, 120).mixed(Color::rgb(240, 40, 20), t);
    });
    return c;
}

Canvas SpriteArt::base()
{
    Canvas c(128, 128);
    for (int i = 0; i < 4; ++i) {
        const float a = std::numbers::pi_v<float> * i / 2;
        const float dx = std::cos(a);
        const float dy = std::sin(a);
        c.fill([&](float x, float y) { return shapes::segment(x, y, 64, 64, 64 + 50 * dx, 64 + 50 * dy, 5); }, kInk);
        c.fill([&](float x, float y) { return shapes::segment(x, y, 64, 64, 64 + 50 * dx, 64 + 50 * dy, 3.2f); },
               Color::rgb(170, 190, 215));
        const float px = 64 + 50 * dx;
        const float py = 64 + 50 * dy;
        body(c, [&](float x, float y) { return shapes::roundBox(x, y, px, py, 9, 9, 3); }, px, py, 9,
             Color::rgb(70, 150, 240), 1.8f);
    }
    c.fill([](float x, float y) { return std::fabs(shapes::circle(x, y, 64, 64, 40)) - 3.5f; }, kInk);
    c.fill([](float x, float y) { return std::fabs(shapes::circle(x, y, 64, 64, 40)) - 2.0f; }, Color::rgb(120, 200, 255));
    body(c, [](float x, float y) { return shapes::circle(x, y, 64, 64, 30); }, 64, 64, 30, Color::rgb(236, 244, 255));
    c.fill([](float x, float y) { return shapes::circle(x, y, 64, 64, 15) - 2; }, kInk);
    c.fill([](float x, float y) { return shapes::circle(x, y, 64, 64, 15); }, Color::rgb(70, 150, 240));
    c.fill([](float x, float y) { return shapes::segment(x, y, 64, 55, 64, 73, 2.5f); }, Color{1, 1, 1, 1});
    c.fill([](float x, float y) { return shapes::segment(x, y, 55, 64, 73, 64, 2.5f); }, Color{1, 1, 1, 1});
    return c;
}

Canvas SpriteArt::gauge()
{
    Canvas c(128, 128);
    // The bar fill at (5, 5), 118 x 18.
    c.paint(5, 5, 123, 23, [](float, float) { return -1.0f; }, [](float x, float y) {
        const Color g = Color::rgb(70, 235, 90).mixed(Color::rgb(200, 250, 90), (x - 5) / 118);
        return y < 11 ? g.mixed(Color{1, 1, 1, 1}, 0.35f) : g.scaled(1 - (y - 11) / 40);
    });
    // The frame strip at (0, 28), 128 x 28, its interior the warning fill at (5, 33).
    c.fill([](float x, float y) { return shapes::roundBox(x, y, 64, 42, 63.5f, 13.5f, 6); }, kInk);
    c.fill([](float x, float y) { return shapes::roundBox(x, y, 64, 42, 62, 12, 5); }, Color::rgb(200, 206, 222));
    c.paint(5, 33, 123, 51, [](float, float) { return -1.0f; }, [](float x, float y) {
        const bool stripe = static_cast<int>(x + y) / 6 % 2 == 0;
        return stripe ? Color::rgb(150, 20, 30) : Color::rgb(110, 10, 24);
    });
    return c;
}

Canvas SpriteArt::information()
{
    Canvas c(32, 32);
    body(c, [](float x, float y) { return shapes::circle(x, y, 16, 16, 13); }, 16, 16, 13, Color::rgb(70, 150, 240));
    c.fill([](float x, float y) { return shapes::circle(x, y, 16, 9.5f, 2); }, Color{1, 1, 1, 1});
    c.fill([](float x, float y) { return shapes::segment(x, y, 16, 14, 16, 23, 2); }, Color{1, 1, 1, 1});
    return c;
}

Canvas SpriteArt::marker()
{
    Canvas c(64, 64);
    c.fill([](float x, float y) { return shapes::roundBox(x, y, 32, 32, 19, 19, 7) - 1.5f; }, Color{1, 1, 1, 0.45f});
    c.fill([](float x, float y) { return shapes::roundBox(x, y, 32, 32, 17, 17, 6); }, Color{1, 1, 1, 1});
    return c;
}
