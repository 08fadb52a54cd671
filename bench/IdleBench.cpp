#include "app/Program.h"
#include "platform/sdl/SdlPlatform.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <ctime>
#include <thread>

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double threadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

// The real program showing its title for ten seconds, off screen: the share of one
// core it uses while the player does nothing. The whole process includes the
// software rasteriser's threads where there is no graphics card; the main thread
// is the game's own work.
void idleTitle(benchmark::State& state)
{
    for (auto _ : state) {
        platform::SdlPlatform sdl(platform::SdlPlatform::Video::Offscreen);
        Program program(sdl);
        std::thread closer([] {
            std::this_thread::sleep_for(std::chrono::seconds(10));
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
        });
        const double cpuBefore = cpuSeconds();
        const double mainBefore = threadCpuSeconds();
        const auto wallBefore = std::chrono::steady_clock::now();
        const int status = program.run();
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
        closer.join();
        if (status != 0)
            state.SkipWithError("the program could not start");
        state.counters["process_cpu_percent"] = 100 * (cpuSeconds() - cpuBefore) / wall;
        state.counters["main_thread_cpu_percent"] = 100 * (threadCpuSeconds() - mainBefore) / wall;
    }
}
BENCHMARK(idleTitle)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
