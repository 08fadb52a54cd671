#pragma once

#include "platform/gl/GlContext.h"

#include <emscripten/html5.h>

#include <memory>
#include <string>

// A WebGL2 context on the page's canvas. The page shows a finished frame itself
// when the game next gives it a turn; swapping waits until the frame is drawn.
class WebGlContext : public GlContext {
public:
    // Null when the browser offers no WebGL2 on the canvas.
    static std::unique_ptr<WebGlContext> create(const char* canvas);
    ~WebGlContext() override;
    WebGlContext(const WebGlContext&) = delete;
    WebGlContext& operator=(const WebGlContext&) = delete;

    void outputSize(int& width, int& height) const override;
    void swap() override;

private:
    WebGlContext(std::string canvas, EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context)
        : canvas_(std::move(canvas)), context_(context)
    {
    }

    std::string canvas_;
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context_;
};
