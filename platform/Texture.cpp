#include "platform/Texture.h"

namespace {
std::uint64_t nextTextureId = 1;
}

Texture::Texture(int width, int height) : width_(width), height_(height), id_(nextTextureId++) {}
