#include "app/DeviceSystem.h"
#include "app/MainWindow.h"
#include "play/GameScene.h"
#include "platform/gl/OffscreenGl.h"
#include "platform/record/FrameReplayer.h"
#include "platform/sim/SimPlatform.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

// A round in play on the simulated platform, with enemies on the screen or far
// enough out that none arrives while a step benchmark runs.
struct Round {
    Round(int enemies, bool onScreen)
    {
        platform::install(&sim);
        window = platform::createWindow(0, 0, 640, 480, "Tessaro", &MainWindow::procedure);
        system.initialize(window);
        scene.initialize(&system, &number);
        scene.enter();
        const EnemyType kinds[] = {EnemyType::Walker, EnemyType::Runner, EnemyType::Swayer, EnemyType::Circler,
                                   EnemyType::Big};
        for (int i = 0; i < enemies; ++i) {
            const double a = i * 2.399963;  // golden angle: an even spread
            const double r = onScreen ? 200 + (i % 6) * 20 : 4000 + i;
            scene.stage().kind(kinds[i % 5]).spawn(320 + r * std::cos(a), 240 + r * std::sin(a));
        }
    }
    ~Round() { platform::install(nullptr); }

    platform::SimPlatform sim;
    platform::Window* window = nullptr;
    DeviceSystem system;
    int number = kGameScene;
    GameScene scene;
};

void gameStep(benchmark::State& state)
{
    Round round(static_cast<int>(state.range(0)), false);
    for (auto _ : state) {
        round.scene.update();
        round.sim.endStep();
    }
    state.counters["enemies"] = round.scene.stage().enemyCount();
}
// A fixed count of steps, so that every one is a step of play.
BENCHMARK(gameStep)->Arg(60)->Arg(2000)->Iterations(2000)->Unit(benchmark::kMicrosecond);

// One frame of a round with 60 enemies on the screen, painted by the OpenGL device.
void gameFrameDrawCalls(benchmark::State& state)
{
    Round round(60, true);
    for (int i = 0; i < 120; ++i)
        round.scene.update();
    RecordingDevice& recording = *round.sim.device();
    recording.beginScene();
    round.scene.draw();
    recording.present();

    OffscreenGl gl;
    if (gl.device() == nullptr) {
        state.SkipWithError(gl.error().c_str());
        return;
    }
    FrameReplayer replayer(recording, *gl.device());
    for (auto _ : state) {
        replayer.replay(recording.presented());
        gl.device()->present();
    }
    state.counters["quads"] = static_cast<double>(recording.presented().size());
    state.counters["draw_calls"] = gl.device()->drawCalls();
    state.counters["enemies"] = round.scene.stage().enemyCount();
}
BENCHMARK(gameFrameDrawCalls)->Unit(benchmark::kMicrosecond);

}  // namespace
