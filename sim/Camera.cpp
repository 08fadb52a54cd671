#include "sim/Camera.h"

#include "platform/sdl/OffscreenGl.h"
#include "base/Field.h"
#include "platform/record/FrameReplayer.h"
#include "platform/libpng/PngWriter.h"

Camera::Camera() = default;

Camera::~Camera()
{
    replayer_.reset();
    gl_.reset();
}

bool Camera::shoot(const RecordingDevice& source, const std::string& file, std::string& error)
{
    if (!gl_) {
        gl_ = std::make_unique<OffscreenGl>();
        if (gl_->device() != nullptr)
            replayer_ = std::make_unique<FrameReplayer>(source, *gl_->device());
    }
    if (!replayer_) {
        error = gl_->error();
        return false;
    }
    replayer_->replay(source.presented());
    if (!PngWriter::write(file, field::kWidth, field::kHeight, gl_->device()->readPicture())) {
        error = "cannot write " + file;
        return false;
    }
    return true;
}
