#pragma once

#include "platform/record/RecordingDevice.h"

#include <memory>
#include <string>

class FrameReplayer;
class OffscreenGl;

// Paints recorded frames off screen with OpenGL and writes them as PNG files.
// Nothing is set up until the first picture is asked for.
class Camera {
public:
    Camera();
    ~Camera();
    bool shoot(const RecordingDevice& source, const std::string& file, std::string& error);

private:
    std::unique_ptr<OffscreenGl> gl_;
    std::unique_ptr<FrameReplayer> replayer_;
};
