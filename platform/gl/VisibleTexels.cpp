#include "platform/gl/VisibleTexels.h"

#include <algorithm>
#include <cstddef>

namespace {

std::uint32_t alphaOf(std::uint32_t argb) { return argb >> 24; }

VisibleTexels::Span joined(const VisibleTexels::Span& a, const VisibleTexels::Span& b)
{
    if (a.empty())
        return b;
    if (b.empty())
        return a;
    return {std::min(a.first, b.first), std::max(a.last, b.last)};
}

constexpr VisibleTexels::Span kNone{0, -1};

}  // namespace

VisibleTexels::VisibleTexels(int width, int height, const std::uint32_t* argb)
    : width_(width),
      height_(height),
      blocksAcross_((width + kBlock - 1) / kBlock),
      blocksDown_((height + kBlock - 1) / kBlock),
      counts_(static_cast<std::size_t>(blocksAcross_ + 1) * (blocksDown_ + 1), 0)
{
    const auto stride = static_cast<std::size_t>(blocksAcross_ + 1);
    std::vector<bool> seen(static_cast<std::size_t>(blocksAcross_) * blocksDown_, false);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (alphaOf(argb[static_cast<std::size_t>(y) * width + x]) != 0)
                seen[static_cast<std::size_t>(y / kBlock) * blocksAcross_ + x / kBlock] = true;
    for (int y = 0; y < blocksDown_; ++y) {
        std::uint32_t row = 0;
        for (int x = 0; x < blocksAcross_; ++x) {
            row += seen[static_cast<std::size_t>(y) * blocksAcross_ + x] ? 1 : 0;
            counts_[(y + 1) * stride + x + 1] = counts_[y * stride + x + 1] + row;
        }
    }
}

std::uint32_t VisibleTexels::count(int left, int top, int right, int bottom) const
{
    const auto stride = static_cast<std::size_t>(blocksAcross_ + 1);
    const auto at = [&](int x, int y) { return counts_[static_cast<std::size_t>(y) * stride + x]; };
    return at(right + 1, bottom + 1) - at(left, bottom + 1) - at(right + 1, top) + at(left, top);
}

// In blocks, each bound is the first from its side whose stretch to that side holds
// a visible texel: a search over a count that only grows. Back in texels, the bounds
// are the blocks' edges, kept inside the area.
VisibleTexels::Area VisibleTexels::boundsInside(const Area& area) const
{
    if (area.empty())
        return {kNone, kNone};
    const int left = area.columns.first / kBlock;
    const int right = area.columns.last / kBlock;
    const int top = area.rows.first / kBlock;
    const int bottom = area.rows.last / kBlock;
    if (count(left, top, right, bottom) == 0)
        return {kNone, kNone};
    const auto search = [](int low, int high, auto holds) {
        while (low < high) {
            const int middle = low + (high - low) / 2;
            holds(middle) ? high = middle : low = middle + 1;
        }
        return low;
    };
    const int first = search(left, right, [&](int x) { return count(left, top, x, bottom) > 0; });
    const int last = right - search(0, right - left, [&](int d) { return count(right - d, top, right, bottom) > 0; });
    const int firstRow = search(top, bottom, [&](int y) { return count(left, top, right, y) > 0; });
    const int lastRow
        = bottom - search(0, bottom - top, [&](int d) { return count(left, bottom - d, right, bottom) > 0; });
    const auto texels = [](int firstBlock, int lastBlock, const Span& inside) {
        return Span{std::max(firstBlock * kBlock, inside.first),
                    std::min(lastBlock * kBlock + kBlock - 1, inside.last)};
    };
    return {texels(first, last, area.columns), texels(firstRow, lastRow, area.rows)};
}

// Splits the indices where the texture repeats or ends: at most one stretch before
// it, one across it and one after, as indices reach at most a size beyond.
int VisibleTexels::pieces(const Span& indices, int size, bool wrap, Piece (&out)[3])
{
    int n = 0;
    if (indices.first < 0) {
        const Span before{indices.first, std::min(indices.last, -1)};
        out[n++] = wrap ? Piece{before, {before.first + size, before.last + size}, false} : Piece{before, {0, 0}, true};
    }
    const Span inside{std::max(indices.first, 0), std::min(indices.last, size - 1)};
    if (!inside.empty())
        out[n++] = Piece{inside, inside, false};
    if (indices.last >= size) {
        const Span after{std::max(indices.first, size), indices.last};
        out[n++] = wrap ? Piece{after, {after.first - size, after.last - size}, false}
                        : Piece{after, {size - 1, size - 1}, true};
    }
    return n;
}

VisibleTexels::Area VisibleTexels::within(const Area& area, bool wrapColumns, bool wrapRows) const
{
    const auto inRange = [](const Span& s, int size) { return s.first >= -size && s.last < 2 * size; };
    if (area.empty() || !inRange(area.columns, width_) || !inRange(area.rows, height_))
        return area;
    Piece columns[3];
    Piece rows[3];
    const int columnCount = pieces(area.columns, width_, wrapColumns, columns);
    const int rowCount = pieces(area.rows, height_, wrapRows, rows);
    Area found{kNone, kNone};
    for (int c = 0; c < columnCount; ++c) {
        for (int r = 0; r < rowCount; ++r) {
            const Area seen = boundsInside({columns[c].texels, rows[r].texels});
            if (seen.empty())
                continue;
            // Back from texels to the indices that read them.
            const auto back = [](const Piece& p, const Span& s) {
                const int shift = p.indices.first - p.texels.first;
                return p.stretched ? p.indices : Span{s.first + shift, s.last + shift};
            };
            found.columns = joined(found.columns, back(columns[c], seen.columns));
            found.rows = joined(found.rows, back(rows[r], seen.rows));
        }
    }
    return found;
}
