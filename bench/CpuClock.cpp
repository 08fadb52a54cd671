#include "bench/CpuClock.h"

#include <ctime>

namespace {
double seconds(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}
}  // namespace

double CpuClock::process() { return seconds(CLOCK_PROCESS_CPUTIME_ID); }

double CpuClock::thread() { return seconds(CLOCK_THREAD_CPUTIME_ID); }
