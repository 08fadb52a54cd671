#pragma once

#include "platform/Device.h"
#include "platform/Field.h"
#include "platform/QuadBatch.h"
#include "platform/sdl/WindowGeometry.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <cstdint>
#include <memory>
#include <vector>

// The device on OpenGL 3.3 core: one shader, one streaming vertex buffer, and
// consecutive fans of equal texture and state sent as one draw call.
class GlDevice : public Device {
public:
    // Null when the window cannot have a 3.3 core context.
    static std::unique_ptr<GlDevice> create(SDL_Window* window);
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
    GlDevice(SDL_Window* window, SDL_GLContext context);
    bool build();
    void flush();
    void apply(const DeviceState& s);
    void finishFrame();

    SDL_Window* window_;
    platform::WindowGeometry geometry_;
    SDL_GLContext context_;
    std::shared_ptr<bool> alive_;
    GLuint program_ = 0;
    GLuint vertexArray_ = 0;
    GLuint vertexBuffer_ = 0;
    GLuint indexBuffer_ = 0;
    GLuint sampler_ = 0;
    GLint hasTextureLocation_ = -1;
    GLint colorOpLocation_ = -1;
    GLint alphaOpLocation_ = -1;
    QuadBatch batch_;
    DeviceState applied_;
    bool appliedValid_ = false;
    int drawCalls_ = 0;
    int lastDrawCalls_ = 0;
    int viewport_[4] = {0, 0, field::kWidth, field::kHeight};
};
