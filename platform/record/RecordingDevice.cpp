#include "platform/record/RecordingDevice.h"

RecordingDevice::RecordedTexture::RecordedTexture(int width, int height, const std::uint32_t* argb)
    : Texture(width, height), pixels_(argb, argb + static_cast<std::size_t>(width) * height)
{
}

std::shared_ptr<Texture> RecordingDevice::createTexture(int width, int height, const std::uint32_t* argb)
{
    auto texture = std::make_shared<RecordedTexture>(width, height, argb);
    textures_[texture->id()] = texture;
    return texture;
}

std::shared_ptr<const RecordingDevice::RecordedTexture> RecordingDevice::texture(std::uint64_t id) const
{
    auto found = textures_.find(id);
    return found == textures_.end() ? nullptr : found->second.lock();
}

void RecordingDevice::beginScene()
{
    ++scenesBegun_;
    frame_.clear();
}

void RecordingDevice::endScene() {}

bool RecordingDevice::present()
{
    ++presents_;
    // Swap keeps both buffers' capacity: no allocation per frame once warmed up.
    presented_.swap(frame_);
    frame_.clear();
    if (failingPresents_ > 0) {
        --failingPresents_;
        return false;
    }
    return true;
}

void RecordingDevice::reset() { ++resets_; }

void RecordingDevice::clear(std::uint32_t argb)
{
    frame_.push_back(Command{true, argb, state_, {}, 0});
}

void RecordingDevice::drawFan(const SpriteVertex (&vertices)[4])
{
    const std::uint64_t id = state_.texture != nullptr ? state_.texture->id() : 0;
    frame_.push_back(Command{false, 0, state_, {vertices[0], vertices[1], vertices[2], vertices[3]}, id});
}

std::vector<RecordingDevice::Command> RecordingDevice::fans() const
{
    std::vector<Command> result;
    for (const Command& c : frame_)
        if (!c.isClear)
            result.push_back(c);
    return result;
}
