#include "compare/PictureComparison.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kColourBits = 24;
constexpr int kAllBits = 32;
constexpr int kChannelBits = 8;
constexpr long kPerMille = 1000;

}  // namespace

PictureComparison::PictureComparison(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b,
                                     int width, int height, const Tolerance& tolerance)
    : width_(width), height_(height), tolerance_(tolerance),
      mostUnmatched_(static_cast<long>(width) * height * tolerance.unmatchedPerMille / kPerMille)
{
    const std::size_t size = static_cast<std::size_t>(width) * height;
    if (size == 0 || a.size() != size || b.size() != size)
        return;
    comparable_ = true;
    unmatchedAt_.assign(size, false);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * width + x;
            largestDifference_ = std::max(largestDifference_, difference(a[i], b[i]));
            if (!matchesNear(a[i], b, x, y) || !matchesNear(b[i], a, x, y)) {
                unmatchedAt_[i] = true;
                ++unmatched_;
            }
        }
}

int PictureComparison::difference(std::uint32_t a, std::uint32_t b) const
{
    const int bits = tolerance_.alpha ? kAllBits : kColourBits;
    int largest = 0;
    for (int shift = 0; shift < bits; shift += kChannelBits) {
        const int difference = static_cast<int>((a >> shift) & 0xFFu) - static_cast<int>((b >> shift) & 0xFFu);
        largest = std::max(largest, std::abs(difference));
    }
    return largest;
}

bool PictureComparison::matchesNear(std::uint32_t pixel, const std::vector<std::uint32_t>& from, int x, int y) const
{
    if (matchesAt(pixel, from, x, y))
        return true;
    for (int step = 1; step <= tolerance_.reach; ++step)
        if (matchesAt(pixel, from, x - step, y) || matchesAt(pixel, from, x + step, y) ||
            matchesAt(pixel, from, x, y - step) || matchesAt(pixel, from, x, y + step))
            return true;
    return false;
}

bool PictureComparison::matchesAt(std::uint32_t pixel, const std::vector<std::uint32_t>& from, int x, int y) const
{
    return x >= 0 && y >= 0 && x < width_ && y < height_ &&
           difference(pixel, from[static_cast<std::size_t>(y) * width_ + x]) <= tolerance_.channel;
}
