#pragma once

#include <cstdint>

// The allocations the program's own C++ code has made so far, counted by the
// benchmark's replacement of operator new: a steady frame should make none. The
// graphics driver, written in C, allocates with malloc and is not counted.
class AllocationCount {
public:
    static std::uint64_t sinceStart();
};
