#pragma once

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

// Signed distances of the shapes the images are built from: negative inside.
namespace shapes {

inline float circle(float px, float py, float cx, float cy, float r)
{
    return std::hypot(px - cx, py - cy) - r;
}

inline float ellipse(float px, float py, float cx, float cy, float rx, float ry)
{
    // Scaled distance: exact enough for the gentle ellipses used here.
    const float k = std::min(rx, ry);
    return (std::hypot((px - cx) / rx, (py - cy) / ry) - 1) * k;
}

inline float roundBox(float px, float py, float cx, float cy, float hw, float hh, float radius)
{
    const float qx = std::fabs(px - cx) - hw + radius;
    const float qy = std::fabs(py - cy) - hh + radius;
    return std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) - radius;
}

inline float segment(float px, float py, float ax, float ay, float bx, float by, float halfWidth)
{
    const float dx = bx - ax;
    const float dy = by - ay;
    const float length2 = dx * dx + dy * dy;
    float t = length2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / length2 : 0;
    t = std::fmax(0.0f, std::fmin(1.0f, t));
    return std::hypot(px - ax - t * dx, py - ay - t * dy) - halfWidth;
}

using Points = std::vector<std::pair<float, float>>;

inline float polygon(float px, float py, const Points& p)
{
    float d = 1e9f;
    bool inside = false;
    for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
        d = std::min(d, segment(px, py, p[j].first, p[j].second, p[i].first, p[i].second, 0));
        if ((p[i].second > py) != (p[j].second > py)
            && px < (p[j].first - p[i].first) * (py - p[i].second) / (p[j].second - p[i].second) + p[i].first)
            inside = !inside;
    }
    return inside ? -d : d;
}

// A star or spiked outline: points alternating between two radii.
inline Points star(float cx, float cy, int spikes, float outer, float inner, float turn = 0)
{
    Points p;
    for (int i = 0; i < spikes * 2; ++i) {
        const float a = turn + std::numbers::pi_v<float> * i / spikes;
        const float r = i % 2 == 0 ? outer : inner;
        p.emplace_back(cx + r * std::sin(a), cy - r * std::cos(a));
    }
    return p;
}

}  // namespace shapes
