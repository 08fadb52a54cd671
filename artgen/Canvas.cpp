#include "artgen/Canvas.h"

void Canvas::blend(int x, int y, const Color& c, float coverage)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    Color& d = pixels_[static_cast<std::size_t>(y) * width_ + x];
    const float sa = c.a * coverage;
    const float da = d.a * (1 - sa);
    const float a = sa + da;
    if (a <= 0) {
        d = Color{0, 0, 0, 0};
        return;
    }
    d = {(c.r * sa + d.r * da) / a, (c.g * sa + d.g * da) / a, (c.b * sa + d.b * da) / a, a};
}

Color Canvas::sample(float x, float y) const
{
    // Premultiplied interpolation keeps transparent neighbours from darkening edges.
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const float fx = x - x0;
    const float fy = y - y0;
    float r = 0, g = 0, b = 0, a = 0;
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 2; ++i) {
            const int sx = x0 + i;
            const int sy = y0 + j;
            if (sx < 0 || sy < 0 || sx >= width_ || sy >= height_)
                continue;
            const float w = (i ? fx : 1 - fx) * (j ? fy : 1 - fy);
            const Color& c = at(sx, sy);
            r += c.r * c.a * w, g += c.g * c.a * w, b += c.b * c.a * w, a += c.a * w;
        }
    if (a <= 0)
        return Color{0, 0, 0, 0};
    return {r / a, g / a, b / a, a};
}

void Canvas::draw(const Canvas& source, float x, float y, float scale, float alpha)
{
    const int left = static_cast<int>(std::floor(x));
    const int top = static_cast<int>(std::floor(y));
    const int right = static_cast<int>(std::ceil(x + source.width() * scale));
    const int bottom = static_cast<int>(std::ceil(y + source.height() * scale));
    // Shrinking averages several source pixels per target pixel.
    const int taps = scale < 1 ? static_cast<int>(std::ceil(1 / scale)) : 1;
    for (int ty = std::max(top, 0); ty < std::min(bottom, height_); ++ty)
        for (int tx = std::max(left, 0); tx < std::min(right, width_); ++tx) {
            float r = 0, g = 0, b = 0, a = 0;
            for (int j = 0; j < taps; ++j)
                for (int i = 0; i < taps; ++i) {
                    const float sx = (tx + (i + 0.5f) / taps - x) / scale - 0.5f;
                    const float sy = (ty + (j + 0.5f) / taps - y) / scale - 0.5f;
                    const Color c = source.sample(sx, sy);
                    r += c.r * c.a, g += c.g * c.a, b += c.b * c.a, a += c.a;
                }
            if (a <= 0)
                continue;
            blend(tx, ty, {r / a, g / a, b / a, a / (taps * taps) * alpha}, 1);
        }
}

void Canvas::place(const Canvas& source, int x, int y)
{
    for (int sy = 0; sy < source.height(); ++sy)
        for (int sx = 0; sx < source.width(); ++sx)
            if (x + sx >= 0 && y + sy >= 0 && x + sx < width_ && y + sy < height_)
                pixels_[static_cast<std::size_t>(y + sy) * width_ + x + sx] = source.at(sx, sy);
}

std::vector<std::uint32_t> Canvas::argb() const
{
    std::vector<std::uint32_t> out(pixels_.size());
    const auto channel = [](float v) { return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255)); };
    for (std::size_t i = 0; i < pixels_.size(); ++i) {
        const Color& c = pixels_[i];
        const std::uint32_t a = channel(c.a);
        out[i] = a == 0 ? 0 : a << 24 | channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
    }
    return out;
}
