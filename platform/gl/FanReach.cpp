#include "platform/gl/FanReach.h"

#include <algorithm>
#include <cmath>

namespace {

// A sample reads its own texel and, filtered, the next on either side; a texel more
// each way covers a sample a rounding error beyond the quad's edge.
constexpr int kSampleMargin = 1;
// A filtered sample leans on a texel from up to one and a half texels away; a half
// more absorbs the rounding of the interpolated coordinate.
constexpr float kFilterReach = 2.0f;
// Corners further out than this, or not numbers, are left to the rasteriser: their
// reach in whole pixels would not fit an int.
constexpr float kFarthest = 1 << 20;

bool near(float coordinate) { return coordinate >= -kFarthest && coordinate <= kFarthest; }

}  // namespace

// Corners top-left, top-right, bottom-right, bottom-left within reach, each edge along
// an axis and the texture laid the same way, so each axis's coordinate follows one
// screen axis.
bool FanReach::upright(const SpriteVertex (&f)[4])
{
    if (!std::all_of(f, f + 4, [](const SpriteVertex& v) { return near(v.x) && near(v.y); }))
        return false;
    return f[0].y == f[1].y && f[2].y == f[3].y && f[0].x == f[3].x && f[1].x == f[2].x && f[0].v == f[1].v
           && f[2].v == f[3].v && f[0].u == f[3].u && f[1].u == f[2].u;
}

// The texel indices the axis's samples may read, before wrapping or clamping; nothing
// when they reach further than one texture beyond it either way.
std::optional<VisibleTexels::Span> FanReach::sampled(const Axis& axis, int size)
{
    const float low = std::min(axis.textureFrom, axis.textureTo) * static_cast<float>(size);
    const float high = std::max(axis.textureFrom, axis.textureTo) * static_cast<float>(size);
    const auto limit = static_cast<float>(size);
    if (!(low >= -limit + kSampleMargin && high <= 2 * limit - 1 - kSampleMargin))
        return std::nullopt;
    return VisibleTexels::Span{static_cast<int>(std::floor(low)) - kSampleMargin,
                               static_cast<int>(std::floor(high)) + kSampleMargin};
}

// Narrows the axis's screen stretch [low, high] to where a sample may reach a visible texel.
void FanReach::narrow(const Axis& axis, int size, const VisibleTexels::Span& visible, float& low, float& high)
{
    low = std::min(axis.from, axis.to);
    high = std::max(axis.from, axis.to);
    if (axis.textureTo == axis.textureFrom)
        return;
    const auto screenAt = [&](float texel) {
        const float t = texel / static_cast<float>(size);
        return axis.from + (t - axis.textureFrom) * (axis.to - axis.from) / (axis.textureTo - axis.textureFrom);
    };
    const float a = screenAt(static_cast<float>(visible.first) - kFilterReach + 1.0f);
    const float b = screenAt(static_cast<float>(visible.last) + kFilterReach);
    low = std::max(low, std::min(a, b));
    high = std::min(high, std::max(a, b));
}

FanReach::Rect FanReach::Rect::joined(const Rect& other) const
{
    return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
            std::max(bottom, other.bottom)};
}

std::optional<FanReach::Rect> FanReach::of(const SpriteVertex (&f)[4], const Sampling& s)
{
    if (!upright(f))
        return std::nullopt;
    const Axis across{f[0].x, f[1].x, f[0].u, f[1].u};
    const Axis down{f[0].y, f[3].y, f[0].v, f[3].v};
    const int width = s.texels.width();
    const int height = s.texels.height();
    const std::optional<VisibleTexels::Span> columns = sampled(across, width);
    const std::optional<VisibleTexels::Span> rows = sampled(down, height);
    if (!columns || !rows)
        return std::nullopt;
    const VisibleTexels::Area visible = s.texels.within({*columns, *rows}, s.wrapU, s.wrapV);
    if (visible.empty())
        return Rect{0, 0, -1, -1};
    Rect reach{};
    narrow(across, width, visible.columns, reach.left, reach.right);
    narrow(down, height, visible.rows, reach.top, reach.bottom);
    return reach;
}
