#include "platform/sdl/OffscreenGl.h"
#include "render/Sprite.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// A frame of 1,000 sprites from one texture in one state: one draw call expected.
void thousandSprites(benchmark::State& state)
{
    OffscreenGl gl;
    GlDevice* device = gl.device();
    if (device == nullptr) {
        state.SkipWithError("no OpenGL 3.3 context");
        return;
    }
    std::vector<std::uint32_t> pixels(64 * 64, 0xFFFFFFFFu);
    Sprite sprite;
    sprite.attach(device, device->createTexture(64, 64, pixels.data()));
    sprite.setTextureSize(64, 64);
    for (auto _ : state) {
        device->beginScene();
        device->clear(0xFF10C010);
        for (int i = 0; i < 1000; ++i)
            sprite.drawWhole(static_cast<float>(i % 600), static_cast<float>(i % 440), 0, 64, 64);
        device->endScene();
        device->present();
    }
    state.counters["draw_calls_per_frame"] = device->drawCalls();
}
BENCHMARK(thousandSprites)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
