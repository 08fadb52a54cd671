#pragma once

#include "platform/Device.h"
#include "base/Field.h"
#include "platform/QuadBatch.h"
#include "platform/gl/FanReach.h"
#include "platform/gl/GlContext.h"
#include "platform/gl/GlDialect.h"
#include "platform/gl/GlProgramCache.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// The device on OpenGL 3.3 core or WebGL2: one shader, one streaming vertex buffer,
// and consecutive fans of equal texture and state sent as one draw call.
class GlDevice : public Device {
public:
    // Null without a context, or when the context cannot run the device.
    static std::unique_ptr<GlDevice> create(std::unique_ptr<GlContext> context);
    ~GlDevice() override;

    std::shared_ptr<Texture> createTexture(int width, int height, const std::uint32_t* argb) override;
    void beginScene() override;
    void endScene() override;
    bool present() override;
    void reset() override;
    void clear(std::uint32_t argb) override;
    void drawFan(const SpriteVertex (&vertices)[4]) override;

    // Draw calls of the last finished frame.
    int drawCalls() const { return lastDrawCalls_; }
    // The 640 x 480 picture drawn so far, ARGB, top row first.
    std::vector<std::uint32_t> readPicture();

private:
    explicit GlDevice(std::unique_ptr<GlContext> context);
    bool build();
    void flush();
    // Blending is off where it would change no pixel.
    void apply(const DeviceState& s, bool blend);
    void finishFrame();
    void scissor(const int (&box)[4]);
    void forgetScissor();
    // Where a fan may change pixels, when that is less than its whole quad.
    std::optional<FanReach::Rect> reach(const DeviceState& s, const SpriteVertex (&fan)[4]) const;
    bool batchBox(int (&box)[4]) const;

    std::unique_ptr<GlContext> context_;
    std::shared_ptr<bool> alive_;
    GlProgramCache programs_;
    GLuint vertexArray_ = 0;
    GLuint vertexBuffer_ = 0;
    GLuint indexBuffer_ = 0;
    GLuint sampler_ = 0;
    QuadBatch batch_;
    // Nothing while a fan of the batch may change any pixel it covers.
    std::optional<FanReach::Rect> batchReach_;
    DeviceState applied_;
    bool appliedBlend_ = false;
    bool appliedValid_ = false;
    // Quads of this frame already in the vertex buffer.
    int bufferedQuads_ = 0;
    int drawCalls_ = 0;
    int lastDrawCalls_ = 0;
    int viewport_[4] = {0, 0, field::kWidth, field::kHeight};
    // The scissor box last set; none at first.
    int scissor_[4] = {-1, -1, -1, -1};
};
