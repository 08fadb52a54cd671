#include "platform/QuadBatch.h"

void QuadBatch::add(const DeviceState& state, const SpriteVertex (&fan)[4])
{
    state_ = state;
    vertices_.insert(vertices_.end(), fan, fan + 4);
}

const std::vector<std::uint16_t>& QuadBatch::indices()
{
    static const std::vector<std::uint16_t> list = [] {
        std::vector<std::uint16_t> out;
        out.reserve(kMaxQuads * 6);
        for (int q = 0; q < kMaxQuads; ++q)
            for (int i : {0, 1, 2, 0, 2, 3})
                out.push_back(static_cast<std::uint16_t>(q * 4 + i));
        return out;
    }();
    return list;
}
