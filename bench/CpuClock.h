#pragma once

// CPU time spent so far, in seconds: by the whole process (every thread, the
// graphics driver's included) or by the calling thread alone.
class CpuClock {
public:
    static double process();
    static double thread();
};
