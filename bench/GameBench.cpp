#include "bench/CpuClock.h"
#include "bench/ScriptedRound.h"
#include "platform/sdl/OffscreenGl.h"

#include <benchmark/benchmark.h>

namespace {

// Steps of play before a frame is measured: about fifty seconds into a round.
constexpr int kPlayBeforeFrame = 3000;
// A whole round of 180 seconds in 16 ms steps.
constexpr int kRoundSteps = 180 * 1000 / 16;

// The simulated platform, but the device is the OpenGL one, off screen.
class OffscreenGlPlatform : public platform::SimPlatform {
public:
    std::unique_ptr<Device> createDevice(platform::Window*) override { return gl_.takeDevice(); }
    const std::string& error() const { return gl_.error(); }

private:
    OffscreenGl gl_;
};

// The whole process's CPU time per iteration, beside the calling thread's that the
// CPU column shows.
benchmark::Counter processMicroseconds(double since)
{
    return benchmark::Counter((CpuClock::process() - since) * 1e6, benchmark::Counter::kAvgIterations);
}

// One step of the game over a round of scripted play, the bomb flung through the
// enemies every two seconds; the enemies in play are averaged over the round.
void gameStep(benchmark::State& state)
{
    ScriptedRound round(std::make_unique<platform::SimPlatform>());
    const double since = CpuClock::process();
    for (auto _ : state)
        round.step();
    state.counters["process_cpu_us"] = processMicroseconds(since);
    state.counters["enemies"] = round.enemies();
    state.counters["peak_enemies"] = round.peakEnemies();
    state.counters["bomb_flying"] = round.flyingShare();
}
BENCHMARK(gameStep)->Iterations(kRoundSteps)->Unit(benchmark::kMicrosecond);

// One frame of that round drawn by the game scene's own draw code on the OpenGL
// device, presented.
void gameFrame(benchmark::State& state)
{
    auto gl = std::make_unique<OffscreenGlPlatform>();
    const std::string error = gl->error();
    ScriptedRound round(std::move(gl));
    auto* device = dynamic_cast<GlDevice*>(round.device());
    if (device == nullptr) {
        state.SkipWithError(error.c_str());
        return;
    }
    for (int i = 0; i < kPlayBeforeFrame; ++i)
        round.step();
    const double since = CpuClock::process();
    for (auto _ : state) {
        device->beginScene();
        round.scene().draw();
        device->endScene();
        device->present();
    }
    state.counters["process_cpu_us"] = processMicroseconds(since);
    state.counters["draw_calls"] = device->drawCalls();
    state.counters["enemies"] = round.scene().stage().enemyCount();
}
BENCHMARK(gameFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
