#include "platform/web/WebGlContext.h"

#include <GLES3/gl3.h>

#include <cstdint>

namespace {
constexpr int kWebGl2 = 2;
}

std::unique_ptr<WebGlContext> WebGlContext::create(const char* canvas)
{
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.majorVersion = kWebGl2;
    attributes.minorVersion = 0;
    // As the desktop draws: no smoothing of edges, and a back buffer without alpha,
    // so that blends reading the destination's alpha see it opaque.
    attributes.antialias = false;
    attributes.alpha = false;
    attributes.depth = true;
    attributes.stencil = false;
    attributes.premultipliedAlpha = false;
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = emscripten_webgl_create_context(canvas, &attributes);
    if (context <= 0)
        return nullptr;
    std::unique_ptr<WebGlContext> made(new WebGlContext(canvas, context));
    if (emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS)
        return nullptr;
    return made;
}

WebGlContext::~WebGlContext() { emscripten_webgl_destroy_context(context_); }

void WebGlContext::outputSize(int& width, int& height) const
{
    if (emscripten_get_canvas_element_size(canvas_.c_str(), &width, &height) != EMSCRIPTEN_RESULT_SUCCESS)
        width = height = 0;
}

// A browser that draws WebGL in software, and composites in software, draws the frame when
// the page next takes it for the screen: in a turn that the game gave it by sleeping, so
// the sleep would end as late as the frame is long and the main loop would lose that time.
// Reading a pixel waits here until the frame is drawn (finish() does not: browsers make it
// a flush), which puts the frame's cost inside the loop's pass, where the loop counts it
// and catches up, as a desktop's swap does. A graphics card draws this game's frame in
// well under a millisecond, so there the wait costs next to nothing.
void WebGlContext::swap()
{
    std::uint8_t pixel[4];
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
}
