#include "paint/PictureComparison.h"

#include <algorithm>
#include <cstdlib>

namespace {

int channelDifference(std::uint32_t a, std::uint32_t b)
{
    int largest = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int difference = static_cast<int>((a >> shift) & 0xFFu) - static_cast<int>((b >> shift) & 0xFFu);
        largest = std::max(largest, std::abs(difference));
    }
    return largest;
}

constexpr int kNear[][2] = {{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}};

}  // namespace

PictureComparison::PictureComparison(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b,
                                     int width, int height)
    : width_(width), height_(height), mostUnmatched_(static_cast<long>(width) * height * kMostUnmatchedPerMille / 1000)
{
    const std::size_t size = static_cast<std::size_t>(width) * height;
    if (size == 0 || a.size() != size || b.size() != size)
        return;
    comparable_ = true;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * width + x;
            largestDifference_ = std::max(largestDifference_, channelDifference(a[i], b[i]));
            if (!matchesNear(a[i], b, x, y) || !matchesNear(b[i], a, x, y))
                ++unmatched_;
        }
}

bool PictureComparison::matchesNear(std::uint32_t pixel, const std::vector<std::uint32_t>& from, int x, int y) const
{
    for (const auto& step : kNear) {
        const int nx = x + step[0];
        const int ny = y + step[1];
        if (nx >= 0 && ny >= 0 && nx < width_ && ny < height_ &&
            channelDifference(pixel, from[static_cast<std::size_t>(ny) * width_ + nx]) <= kChannelTolerance)
            return true;
    }
    return false;
}
