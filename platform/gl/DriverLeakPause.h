#pragma once

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

// While one lives, the leak checker ignores new allocations. The software OpenGL
// driver keeps a few bytes from compiling its first draws that it never frees;
// they are not the game's, and a sanitized run would report them.
class DriverLeakPause {
public:
#if defined(__SANITIZE_ADDRESS__)
    DriverLeakPause() { __lsan_disable(); }
    ~DriverLeakPause() { __lsan_enable(); }
#else
    DriverLeakPause() {}
#endif
    DriverLeakPause(const DriverLeakPause&) = delete;
    DriverLeakPause& operator=(const DriverLeakPause&) = delete;
};
