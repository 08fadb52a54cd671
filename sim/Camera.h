#pragma once

#include "platform/record/RecordingDevice.h"

#include <memory>
#include <string>
#include <vector>

class FrameReplayer;
class GlDevice;
struct SDL_Window;

// Paints recorded frames off screen with OpenGL and writes them as PNG files.
// Nothing is set up until the first picture is asked for.
class Camera {
public:
    Camera();
    ~Camera();
    bool shoot(const RecordingDevice& source, const std::string& file, std::string& error);

private:
    bool open(const RecordingDevice& source, std::string& error);

    bool videoStarted_ = false;
    SDL_Window* window_ = nullptr;
    std::unique_ptr<GlDevice> device_;
    std::unique_ptr<FrameReplayer> replayer_;
};
