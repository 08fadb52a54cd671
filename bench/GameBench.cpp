#include "bench/AllocationCount.h"
#include "bench/CpuClock.h"
#include "bench/ScriptedRound.h"
#include "platform/sdl/OffscreenGl.h"
#include "scenes/TitleScene.h"

#include <benchmark/benchmark.h>

namespace {

// Steps of play before a frame is measured: about fifty seconds into a round.
constexpr int kPlayBeforeFrame = 3000;
// Frames drawn before a frame is measured: the driver builds its code for each
// new state on the first frames that use it.
constexpr int kWarmFrames = 60;
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

// The program's own allocations per iteration since a count.
benchmark::Counter allocationsPerIteration(std::uint64_t since)
{
    return benchmark::Counter(static_cast<double>(AllocationCount::sinceStart() - since),
                              benchmark::Counter::kAvgIterations);
}

// Frames drawn after a warm-up, with the whole process's CPU, the program's own
// allocations and the draw calls of a frame.
template <typename Frame>
void measureFrames(benchmark::State& state, const GlDevice& device, Frame frame)
{
    for (int i = 0; i < kWarmFrames; ++i)
        frame();
    const double since = CpuClock::process();
    const std::uint64_t allocationsBefore = AllocationCount::sinceStart();
    for (auto _ : state)
        frame();
    // Counted before any counter is added: adding one allocates a node of the map.
    const benchmark::Counter allocations = allocationsPerIteration(allocationsBefore);
    state.counters["process_cpu_us"] = processMicroseconds(since);
    state.counters["allocations"] = allocations;
    state.counters["draw_calls"] = device.drawCalls();
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
    const auto frame = [&] {
        device->beginScene();
        round.scene().draw();
        device->endScene();
        device->present();
    };
    measureFrames(state, *device, frame);
    state.counters["enemies"] = round.scene().stage().enemyCount();
}
BENCHMARK(gameFrame)->Unit(benchmark::kMicrosecond);

// One frame of the title, idle, drawn by its own code on the OpenGL device and
// presented: the picture a player who has not started yet costs.
void titleFrame(benchmark::State& state)
{
    auto gl = std::make_unique<OffscreenGlPlatform>();
    const std::string error = gl->error();
    MainWindow window(*gl);
    DeviceSystem system;
    system.initialize(*gl, window.create(field::kWidth, field::kHeight, "Tessaro"));
    auto* device = dynamic_cast<GlDevice*>(system.device());
    if (device == nullptr) {
        state.SkipWithError(error.c_str());
        return;
    }
    Session session;
    int sceneNumber = kTitleScene;
    TitleScene title(session);
    title.initialize(&system, &sceneNumber);
    title.enter();
    const auto frame = [&] {
        title.update();
        gl->endStep();
        device->beginScene();
        title.draw();
        device->endScene();
        device->present();
    };
    measureFrames(state, *device, frame);
}
BENCHMARK(titleFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
