#pragma once

#include "platform/SpriteVertex.h"
#include "platform/gl/VisibleTexels.h"

#include <optional>

// Where in the field a fan blended by its texture's alpha may change pixels: only
// where it samples a texel that is not fully transparent. Known for a quad upright
// and unturned, as most sprites and every glyph are, and then a rectangle around
// those samples with room to spare for filtering and rounding.
class FanReach {
public:
    struct Rect {
        float left;
        float top;
        float right;
        float bottom;
        bool empty() const { return right < left || bottom < top; }
        // The rectangle around both.
        Rect joined(const Rect& other) const;
    };
    struct Sampling {
        const VisibleTexels& texels;
        bool wrapU;
        bool wrapV;
    };

    // Nothing where the fan may change any pixel it covers; an empty rectangle where
    // it changes none.
    static std::optional<Rect> of(const SpriteVertex (&fan)[4], const Sampling& sampling);

private:
    // One axis of an upright quad: its two edges and their texture coordinates.
    struct Axis {
        float from;
        float to;
        float textureFrom;
        float textureTo;
    };
    static bool upright(const SpriteVertex (&fan)[4]);
    static std::optional<VisibleTexels::Span> sampled(const Axis& axis, int size);
    static void narrow(const Axis& axis, int size, const VisibleTexels::Span& visible, float& low, float& high);
};
