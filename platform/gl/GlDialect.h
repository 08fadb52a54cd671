#pragma once

// The few ways WebGL2 (OpenGL ES 3.0) differs from OpenGL 3.3 core for this device.
// Everything else is the same source on both.

#include <cstdint>

#ifdef __EMSCRIPTEN__
#include <GLES3/gl3.h>
#else
#include <epoxy/gl.h>
#endif

namespace gldialect {

#ifdef __EMSCRIPTEN__
// No BGRA upload, read or vertex format: ARGB words travel as RGBA bytes (blue first),
// and the shader swaps red and blue back, after filtering, which treats channels alike.
inline constexpr const char* kShaderHeader =
    "#version 300 es\nprecision highp float;\n#define FROM_WORDS(c) ((c).bgra)\n";
inline constexpr GLenum kWordFormat = GL_RGBA;
inline constexpr GLint kVertexColorSize = 4;
inline std::uint32_t argbFromRead(std::uint32_t rgba)
{
    return (rgba & 0xFF00FF00u) | ((rgba >> 16) & 0xFFu) | ((rgba & 0xFFu) << 16);
}
#else
inline constexpr const char* kShaderHeader = "#version 330 core\n#define FROM_WORDS(c) (c)\n";
inline constexpr GLenum kWordFormat = GL_BGRA;
inline constexpr GLint kVertexColorSize = GL_BGRA;
inline std::uint32_t argbFromRead(std::uint32_t argb) { return argb; }
#endif

}  // namespace gldialect
