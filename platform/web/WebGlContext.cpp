#include "platform/web/WebGlContext.h"

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
