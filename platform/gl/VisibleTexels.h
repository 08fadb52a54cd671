#pragma once

#include <cstdint>
#include <vector>

// Where a texture's texels are not fully transparent, asked of an area at a time.
// Under alpha blending a quad changes only the pixels that sample such texels, so
// the device draws a batch only where its quads' visible texels land. The texture
// is looked at in blocks of four by four texels: counts of the blocks holding a
// visible texel in every rectangle from the top-left corner answer each question in
// a few dozen lookups, in a sixteenth of the texture's texels.
class VisibleTexels {
public:
    // Texel indices, both ends included; empty when last < first.
    struct Span {
        int first;
        int last;
        bool empty() const { return last < first; }
    };
    struct Area {
        Span columns;
        Span rows;
        bool empty() const { return columns.empty() || rows.empty(); }
    };

    VisibleTexels(int width, int height, const std::uint32_t* argb);
    int width() const { return width_; }
    int height() const { return height_; }

    // An area holding every visible texel that a sample in this area may read, at
    // most a block's width less one beyond the smallest. Indices may lie beyond the
    // texture, up to a texture's size either way: there the texture repeats where
    // wrapped and its edge texels go on where not; further, the area is given back.
    Area within(const Area& area, bool wrapColumns, bool wrapRows) const;

private:
    // A stretch of indices along one axis and the texels it reads.
    struct Piece {
        Span indices;
        Span texels;
        bool stretched;  // every index reads the same edge texel
    };
    static int pieces(const Span& indices, int size, bool wrap, Piece (&out)[3]);

    // Blocks with a visible texel in a rectangle of blocks.
    std::uint32_t count(int left, int top, int right, int bottom) const;
    Area boundsInside(const Area& area) const;

    static constexpr int kBlock = 4;
    int width_;
    int height_;
    int blocksAcross_;
    int blocksDown_;
    // (blocks across + 1) x (blocks down + 1) counts: entry (x, y) covers the blocks
    // left of x and above y.
    std::vector<std::uint32_t> counts_;
};
