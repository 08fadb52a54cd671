#include "base/Field.h"
#include "platform/sim/SimPlatform.h"
#include "replay/Replay.h"
#include "tools/LiveInput.h"
#include "replay/RecordingInput.h"
#include "verify/ReplayVerifier.h"

#include <benchmark/benchmark.h>

namespace {

constexpr double kStepSeconds = 0.016;

Replay recorded(const char* name)
{
    Replay replay;
    std::string error;
    Replay::readFile(std::string(TESSARO_REPLAYS) + "/" + name, replay, error);
    return replay;
}

// A recorded round of active play verified from start to total, on the calling thread.
// The ratio is the round's playing time over the time its verification takes.
void verifyRound(benchmark::State& state)
{
    const Replay replay = recorded("active-round.tsr");
    if (replay.steps.empty()) {
        state.SkipWithError("no recorded round under tests/replays");
        return;
    }
    ReplayVerifier verifier;
    for (auto _ : state)
        benchmark::DoNotOptimize(verifier.verify(replay));
    const double playing = static_cast<double>(replay.steps.size()) * kStepSeconds;
    state.counters["steps"] = static_cast<double>(replay.steps.size());
    state.counters["play_per_verify"] =
        benchmark::Counter(playing * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(verifyRound)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// The bytes of each recorded round's file, and per second of play.
void replaySize(benchmark::State& state)
{
    const char* const names[] = {"active-round.tsr", "second-round.tsr", "idle-round.tsr", "window-round.tsr"};
    const Replay replay = recorded(names[state.range(0)]);
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes = replay.encode().size();
    state.SetLabel(names[state.range(0)]);
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["bytes_per_play_second"] = static_cast<double>(bytes) / (replay.steps.size() * kStepSeconds);
}
BENCHMARK(replaySize)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// What recording adds to a step: the three reads passing through and the step kept.
void recordStep(benchmark::State& state)
{
    platform::SimPlatform sim;
    LiveInput live(sim, sim.createWindow(field::kWidth, field::kHeight, "", nullptr));
    RecordingInput round(live);
    Replay replay;
    round.start(&replay, {});
    int step = 0;
    for (auto _ : state) {
        sim.movePointer({step % 640, 240});
        benchmark::DoNotOptimize(round.pointer());
        benchmark::DoNotOptimize(round.buttonDown());
        benchmark::DoNotOptimize(round.milliseconds());
        round.finishStep();
        if (++step == Replay::kMaxSteps - 1) {
            round.start(&replay, {});
            step = 0;
        }
    }
}
BENCHMARK(recordStep);

}  // namespace
