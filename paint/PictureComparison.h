#pragma once

#include <cstdint>
#include <vector>

// How far two pictures of one frame, drawn by two devices, are apart. A pixel matches
// when the other picture has a pixel within kChannelTolerance in every channel at its
// place or one pixel beside, above or below it: Direct3D 9 leaves it to the implementation
// which texel a point sample taken exactly on the edge between two texels reads, and
// rounding differs in the last bits. Sharper or softer filtering, or a picture moved
// by half a pixel, leaves colours that neither place has.
class PictureComparison {
public:
    static constexpr int kChannelTolerance = 8;
    // Where translucent images overlap, each may take its edge texel from another side:
    // one pixel in 500 may match nothing.
    static constexpr int kMostUnmatchedPerMille = 2;

    PictureComparison(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b, int width, int height);

    long unmatched() const { return unmatched_; }
    long mostUnmatched() const { return mostUnmatched_; }
    int largestDifference() const { return largestDifference_; }
    // Pictures of other sizes than the one given, or empty ones, are never the same.
    bool same() const { return comparable_ && unmatched_ <= mostUnmatched_; }

private:
    // Whether `from` has a pixel near (x, y) close to `pixel`.
    bool matchesNear(std::uint32_t pixel, const std::vector<std::uint32_t>& from, int x, int y) const;

    int width_;
    int height_;
    long unmatched_ = 0;
    long mostUnmatched_;
    int largestDifference_ = 0;
    bool comparable_ = false;
};
