#pragma once

#include "platform/Device.h"

#include <cstdint>
#include <map>
#include <vector>

// A device that keeps every clear and fan of a frame with the state in force, and
// the last presented frame. Tests read it; the simulator replays it for pictures.
class RecordingDevice : public Device {
public:
    struct Command {
        bool isClear;
        std::uint32_t clearColor;
        DeviceState state;
        SpriteVertex vertices[4];
        // The texture's id: the pointer in state may be gone by the time a frame is read.
        std::uint64_t textureId;
    };

    // Keeps its pixels, so that a recorded frame can be painted again elsewhere.
    class RecordedTexture : public Texture {
    public:
        RecordedTexture(int width, int height, const std::uint32_t* argb);
        const std::vector<std::uint32_t>& pixels() const { return pixels_; }

    private:
        std::vector<std::uint32_t> pixels_;
    };

    std::shared_ptr<Texture> createTexture(int width, int height, const std::uint32_t* argb) override;
    void beginScene() override;
    void endScene() override;
    bool present() override;
    void reset() override;
    void clear(std::uint32_t argb) override;
    void drawFan(const SpriteVertex (&vertices)[4]) override;

    // The frame being drawn, and the one last presented.
    const std::vector<Command>& frame() const { return frame_; }
    const std::vector<Command>& presented() const { return presented_; }
    // Only the fans of the frame being drawn, in painting order.
    std::vector<Command> fans() const;
    void forget() { frame_.clear(); }

    int presents() const { return presents_; }
    int resets() const { return resets_; }
    int scenesBegun() const { return scenesBegun_; }
    void failPresents(int count) { failingPresents_ = count; }
    // A texture this device made and that is still alive, by id; null otherwise.
    std::shared_ptr<const RecordedTexture> texture(std::uint64_t id) const;

private:
    std::map<std::uint64_t, std::weak_ptr<const RecordedTexture>> textures_;
    std::vector<Command> frame_;
    std::vector<Command> presented_;
    int presents_ = 0;
    int resets_ = 0;
    int scenesBegun_ = 0;
    int failingPresents_ = 0;
};
