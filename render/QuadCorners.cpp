#include "render/QuadCorners.h"

#include "base/PortableMath.h"

void QuadCorners::build(SpriteVertex (&v)[4], float x, float y, float z, float width, float height, int rotation,
                        std::uint32_t color, const Source& uv)
{
    place(v, x, y, width, height, rotation);
    const float us[4] = {uv.left, uv.right, uv.right, uv.left};
    const float vs[4] = {uv.top, uv.top, uv.bottom, uv.bottom};
    for (int i = 0; i < 4; ++i) {
        v[i].z = z;
        v[i].rhw = 1.0f;
        v[i].diffuse = color;
        v[i].u = us[i];
        v[i].v = vs[i];
    }
}

void QuadCorners::place(SpriteVertex (&v)[4], float x, float y, float width, float height, int rotation)
{
    if (rotation == 0) {
        v[0].x = x, v[0].y = y;
        v[1].x = x + width, v[1].y = y;
        v[2].x = x + width, v[2].y = y + height;
        v[3].x = x, v[3].y = y + height;
        return;
    }
    const float theta = static_cast<float>(rotation) * 0.017453292f;
    const float c = pmath::cos(theta);
    const float s = pmath::sin(theta);
    const float cx = x + width * 0.5f;
    const float cy = y + height * 0.5f;
    const float hw = width * 0.5f;
    const float hh = height * 0.5f;
    const float dx[4] = {-hw, hw, hw, -hw};
    const float dy[4] = {-hh, -hh, hh, hh};
    for (int i = 0; i < 4; ++i) {
        v[i].x = cx + dx[i] * c - dy[i] * s;
        v[i].y = cy + dx[i] * s + dy[i] * c;
    }
}
