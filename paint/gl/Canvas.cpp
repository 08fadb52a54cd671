#include "paint/Canvas.h"

#include "platform/sdl/OffscreenGl.h"

struct Canvas::Backend {
    OffscreenGl gl;
};

Canvas::Canvas() : backend_(std::make_unique<Backend>())
{
    if (backend_->gl.device() == nullptr)
        error_ = backend_->gl.error();
}

Canvas::~Canvas() = default;

Device* Canvas::device() const { return backend_->gl.device(); }

std::vector<std::uint32_t> Canvas::picture() { return backend_->gl.device()->readPicture(); }
