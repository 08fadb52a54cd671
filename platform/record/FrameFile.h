#pragma once

#include "platform/record/RecordingDevice.h"

#include <memory>
#include <string>
#include <vector>

// A recorded frame on disk: the pixels of the textures it uses, then every clear and
// fan with the state in force, field by field, little-endian. One build writes it and
// another build's device paints it, so that two devices can be held to one picture.
class FrameFile {
public:
    // False with the reason when the file cannot be written.
    static bool save(const std::string& path, const RecordingDevice& source,
                     const std::vector<RecordingDevice::Command>& frame, std::string& error);

    // Makes the frame's textures on `into`; the commands then name them there.
    // False with the reason when the file is missing, cut short or not a frame.
    bool load(const std::string& path, RecordingDevice& into, std::string& error);
    const std::vector<RecordingDevice::Command>& commands() const { return commands_; }

private:
    std::vector<std::shared_ptr<Texture>> textures_;
    std::vector<RecordingDevice::Command> commands_;
};
