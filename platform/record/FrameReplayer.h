#pragma once

#include "platform/record/RecordingDevice.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

// Paints a recorded frame on another device, uploading each recorded texture once.
class FrameReplayer {
public:
    FrameReplayer(const RecordingDevice& source, Device& target) : source_(source), target_(target) {}
    void replay(const std::vector<RecordingDevice::Command>& frame);

private:
    const Texture* targetTexture(std::uint64_t recordedId);

    const RecordingDevice& source_;
    Device& target_;
    std::map<std::uint64_t, std::shared_ptr<Texture>> uploaded_;
};
