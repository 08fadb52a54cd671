#include "platform/Texture.h"

#include <atomic>

namespace {
// Unique over the whole run, whichever device or thread makes the texture.
std::atomic<std::uint64_t> nextTextureId{1};
}

Texture::Texture(int width, int height) : width_(width), height_(height), id_(nextTextureId++) {}
