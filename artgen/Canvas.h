#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

// A colour with straight alpha, each channel 0 to 1.
struct Color {
    float r = 0;
    float g = 0;
    float b = 0;
    float a = 1;

    static Color rgb(int red, int green, int blue, float alpha = 1)
    {
        return {red / 255.0f, green / 255.0f, blue / 255.0f, alpha};
    }
    Color scaled(float k) const { return {std::min(r * k, 1.0f), std::min(g * k, 1.0f), std::min(b * k, 1.0f), a}; }
    Color withAlpha(float alpha) const { return {r, g, b, alpha}; }
    Color mixed(const Color& o, float t) const
    {
        return {r + (o.r - r) * t, g + (o.g - g) * t, b + (o.b - b) * t, a + (o.a - a) * t};
    }
};

// An image being drawn. Shapes are given as signed distances (negative inside);
// the half-pixel band around zero becomes the anti-aliased edge.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, Color{0, 0, 0, 0}) {}

    int width() const { return width_; }
    int height() const { return height_; }
    const Color& at(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

    void blend(int x, int y, const Color& c, float coverage);

    // Paints every pixel of the box whose centre lies inside the shape, in paint's colour.
    template <class Distance, class Paint>
    void paint(int left, int top, int right, int bottom, Distance distance, Paint paint)
    {
        left = std::max(left, 0), top = std::max(top, 0);
        right = std::min(right, width_), bottom = std::min(bottom, height_);
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) {
                const float px = x + 0.5f;
                const float py = y + 0.5f;
                const float coverage = std::clamp(0.5f - distance(px, py), 0.0f, 1.0f);
                if (coverage > 0)
                    blend(x, y, paint(px, py), coverage);
            }
    }
    template <class Distance>
    void fill(Distance distance, const Color& c)
    {
        paint(0, 0, width_, height_, distance, [&c](float, float) { return c; });
    }

    // Draws another canvas scaled about its top-left corner, bilinear, over this one.
    void draw(const Canvas& source, float x, float y, float scale, float alpha = 1);
    // Copies another canvas in, replacing pixels, at whole-pixel offsets.
    void place(const Canvas& source, int x, int y);
    std::vector<std::uint32_t> argb() const;

private:
    Color sample(float x, float y) const;

    int width_;
    int height_;
    std::vector<Color> pixels_;
};
