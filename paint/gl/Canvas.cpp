#include "paint/Canvas.h"

#include "platform/gl/OffscreenGl.h"

struct Canvas::Parts {
    OffscreenGl gl;
};

Canvas::Canvas() : parts_(std::make_unique<Parts>())
{
    if (parts_->gl.device() == nullptr)
        error_ = parts_->gl.error();
}

Canvas::~Canvas() = default;

Device* Canvas::device() const { return parts_->gl.device(); }

std::vector<std::uint32_t> Canvas::picture() { return parts_->gl.device()->readPicture(); }
