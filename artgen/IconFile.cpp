#include "artgen/IconFile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <map>
#include <vector>

namespace {

struct Rgb {
    int r;
    int g;
    int b;
};

Rgb rgbOf(std::uint32_t argb) { return {static_cast<int>(argb >> 16 & 255), static_cast<int>(argb >> 8 & 255), static_cast<int>(argb & 255)}; }

bool opaque(std::uint32_t argb) { return (argb >> 24) >= 128; }

// The fifteen most common colours, by 4-bit buckets, averaged; entry 0 stays black
// for the transparent pixels.
std::array<Rgb, 16> palette(const std::vector<std::uint32_t>& pixels)
{
    struct Bucket {
        int count = 0;
        long r = 0, g = 0, b = 0;
    };
    std::map<int, Bucket> buckets;
    for (std::uint32_t p : pixels) {
        if (!opaque(p))
            continue;
        const Rgb c = rgbOf(p);
        Bucket& bucket = buckets[(c.r >> 4) << 8 | (c.g >> 4) << 4 | (c.b >> 4)];
        ++bucket.count, bucket.r += c.r, bucket.g += c.g, bucket.b += c.b;
    }
    std::vector<std::pair<int, Bucket>> ranked(buckets.begin(), buckets.end());
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.second.count > b.second.count; });
    std::array<Rgb, 16> colours{};
    for (std::size_t i = 0; i < 15 && i < ranked.size(); ++i) {
        const Bucket& b = ranked[i].second;
        colours[i + 1] = {static_cast<int>(b.r / b.count), static_cast<int>(b.g / b.count), static_cast<int>(b.b / b.count)};
    }
    return colours;
}

int nearest(const std::array<Rgb, 16>& colours, Rgb c)
{
    int best = 1;
    long bestDistance = -1;
    for (int i = 1; i < 16; ++i) {
        const long d = (c.r - colours[i].r) * (c.r - colours[i].r) + (c.g - colours[i].g) * (c.g - colours[i].g)
                       + (c.b - colours[i].b) * (c.b - colours[i].b);
        if (bestDistance < 0 || d < bestDistance)
            best = i, bestDistance = d;
    }
    return best;
}

void put16(std::vector<std::uint8_t>& out, unsigned v) { out.push_back(v & 255), out.push_back(v >> 8 & 255); }
void put32(std::vector<std::uint8_t>& out, unsigned v) { put16(out, v & 0xFFFF), put16(out, v >> 16); }

}  // namespace

bool IconFile::write(const std::string& path, const Canvas& icon)
{
    const int side = icon.width();
    const std::vector<std::uint32_t> pixels = icon.argb();
    const std::array<Rgb, 16> colours = palette(pixels);
    const int colourRow = side / 2;                 // 4 bits a pixel
    const int maskRow = ((side + 31) / 32) * 4;     // 1 bit a pixel, rows of whole words
    const unsigned imageBytes = 40 + 16 * 4 + static_cast<unsigned>((colourRow + maskRow) * side);

    std::vector<std::uint8_t> out;
    put16(out, 0), put16(out, 1), put16(out, 1);                       // icon file, one image
    out.push_back(static_cast<std::uint8_t>(side)), out.push_back(static_cast<std::uint8_t>(side));
    out.push_back(16), out.push_back(0);                               // colours, reserved
    put16(out, 1), put16(out, 4), put32(out, imageBytes), put32(out, 22);
    put32(out, 40), put32(out, side), put32(out, side * 2);            // the height counts the mask too
    put16(out, 1), put16(out, 4), put32(out, 0), put32(out, 0);
    put32(out, 0), put32(out, 0), put32(out, 16), put32(out, 0);
    for (const Rgb& c : colours)
        out.push_back(static_cast<std::uint8_t>(c.b)), out.push_back(static_cast<std::uint8_t>(c.g)),
            out.push_back(static_cast<std::uint8_t>(c.r)), out.push_back(0);
    for (int y = side - 1; y >= 0; --y)                                 // rows from the bottom
        for (int x = 0; x < side; x += 2) {
            const auto index = [&](int px) {
                const std::uint32_t p = pixels[static_cast<std::size_t>(y) * side + px];
                return opaque(p) ? nearest(colours, rgbOf(p)) : 0;
            };
            out.push_back(static_cast<std::uint8_t>(index(x) << 4 | index(x + 1)));
        }
    for (int y = side - 1; y >= 0; --y)
        for (int byte = 0; byte < maskRow; ++byte) {
            std::uint8_t bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const int x = byte * 8 + bit;
                if (x < side && !opaque(pixels[static_cast<std::size_t>(y) * side + x]))
                    bits |= static_cast<std::uint8_t>(0x80 >> bit);
            }
            out.push_back(bits);
        }
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}
