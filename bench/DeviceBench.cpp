#include "platform/gl/GlDevice.h"
#include "render/Sprite.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// An off-screen OpenGL device, as the simulator uses for pictures.
struct OffscreenGl {
    OffscreenGl()
    {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
        SDL_Init(SDL_INIT_VIDEO);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
        window = SDL_CreateWindow("bench", 0, 0, 640, 480, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        device = GlDevice::create(window);
    }
    ~OffscreenGl()
    {
        device.reset();
        SDL_DestroyWindow(window);
        SDL_Quit();
    }
    SDL_Window* window = nullptr;
    std::unique_ptr<GlDevice> device;
};

// A frame of 1,000 sprites from one texture in one state: one draw call expected.
void thousandSprites(benchmark::State& state)
{
    OffscreenGl gl;
    if (!gl.device) {
        state.SkipWithError("no OpenGL 3.3 context");
        return;
    }
    std::vector<std::uint32_t> pixels(64 * 64, 0xFFFFFFFFu);
    Sprite sprite;
    sprite.attach(gl.device.get(), gl.device->createTexture(64, 64, pixels.data()));
    sprite.setTextureSize(64, 64);
    for (auto _ : state) {
        gl.device->beginScene();
        gl.device->clear(0xFF10C010);
        for (int i = 0; i < 1000; ++i)
            sprite.drawWhole(static_cast<float>(i % 600), static_cast<float>(i % 440), 0, 64, 64);
        gl.device->endScene();
        gl.device->present();
    }
    state.counters["draw_calls_per_frame"] = gl.device->drawCalls();
}
BENCHMARK(thousandSprites)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
