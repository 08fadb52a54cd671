#include "platform/web/StbPngDecoder.h"

#define STBI_ONLY_PNG
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#include <memory>

namespace {
constexpr int kRgba = 4;

struct StbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};
}  // namespace

bool StbPngDecoder::decode(const std::string& path, int maxSide, int& width, int& height,
                           std::vector<std::uint32_t>& argb, std::string& why)
{
    int w = 0;
    int h = 0;
    int channels = 0;
    if (stbi_info(path.c_str(), &w, &h, &channels) == 0) {
        why = stbi_failure_reason();
        return false;
    }
    if (w <= 0 || h <= 0 || w > maxSide || h > maxSide) {
        why = "wider or taller than " + std::to_string(maxSide) + " pixels, or empty";
        return false;
    }
    const std::unique_ptr<stbi_uc, StbFree> rgba(stbi_load(path.c_str(), &w, &h, &channels, kRgba));
    if (!rgba) {
        why = stbi_failure_reason();
        return false;
    }
    argb.resize(static_cast<std::size_t>(w) * h);
    for (std::size_t i = 0; i < argb.size(); ++i) {
        const stbi_uc* p = rgba.get() + i * kRgba;
        argb[i] = static_cast<std::uint32_t>(p[3]) << 24 | static_cast<std::uint32_t>(p[0]) << 16
                  | static_cast<std::uint32_t>(p[1]) << 8 | p[2];
    }
    width = w;
    height = h;
    return true;
}
