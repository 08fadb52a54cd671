#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// How far two pictures of one frame are apart. A pixel matches when the other picture
// has a pixel within the tolerance's channel difference at its place or, where the
// tolerance reaches, up to that many pixels beside, above or below it. Each use names
// the tolerance it needs: a driver's own rounding, or another device's choice of texel.
class PictureComparison {
public:
    struct Tolerance {
        // The most a compared channel of two matching pixels may differ by.
        int channel;
        // Whether alpha is compared along with red, green and blue.
        bool alpha;
        // How many pixels across or down a match may lie from the pixel's place.
        int reach;
        // How many pixels in a thousand may match nothing.
        int unmatchedPerMille;
    };

    PictureComparison(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b, int width,
                      int height, const Tolerance& tolerance);

    long unmatched() const { return unmatched_; }
    long mostUnmatched() const { return mostUnmatched_; }
    // The largest difference of a compared channel between the two pictures in place.
    int largestDifference() const { return largestDifference_; }
    // Pictures of other sizes than the one given, or empty ones, are never the same.
    bool same() const { return comparable_ && unmatched_ <= mostUnmatched_; }
    // Whether the pixel at `index`, row by row, matched nothing.
    bool unmatchedAt(std::size_t index) const { return index < unmatchedAt_.size() && unmatchedAt_[index]; }

private:
    int difference(std::uint32_t a, std::uint32_t b) const;
    // Whether `from` has a pixel within reach of (x, y) close to `pixel`.
    bool matchesNear(std::uint32_t pixel, const std::vector<std::uint32_t>& from, int x, int y) const;
    bool matchesAt(std::uint32_t pixel, const std::vector<std::uint32_t>& from, int x, int y) const;

    int width_;
    int height_;
    Tolerance tolerance_;
    long unmatched_ = 0;
    long mostUnmatched_;
    int largestDifference_ = 0;
    bool comparable_ = false;
    std::vector<bool> unmatchedAt_;
};
