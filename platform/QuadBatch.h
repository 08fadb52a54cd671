#pragma once

#include "platform/DeviceState.h"
#include "platform/SpriteVertex.h"

#include <cstdint>
#include <vector>

// Fans waiting to be drawn in one call: consecutive fans of equal texture and
// state, up to a limit. Each back end draws them as indexed triangles.
class QuadBatch {
public:
    static constexpr int kMaxQuads = 4096;

    QuadBatch() { vertices_.reserve(kMaxQuads * 4); }

    // True when a fan in this state cannot join: the batch is to be drawn first.
    bool breaksOn(const DeviceState& state) const
    {
        return !vertices_.empty() && (!(state == state_) || vertices_.size() >= kMaxQuads * 4);
    }
    void add(const DeviceState& state, const SpriteVertex (&fan)[4]);
    void clear() { vertices_.clear(); }

    bool empty() const { return vertices_.empty(); }
    const DeviceState& state() const { return state_; }
    const std::vector<SpriteVertex>& vertices() const { return vertices_; }
    int quads() const { return static_cast<int>(vertices_.size() / 4); }

    // Two triangles a quad, 0-1-2 and 0-2-3, for the largest batch.
    static const std::vector<std::uint16_t>& indices();

private:
    std::vector<SpriteVertex> vertices_;
    DeviceState state_;
};
