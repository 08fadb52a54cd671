#pragma once

#include <string>
#include <vector>

// Stands in for a few system calls of the test program, to make one fail on purpose
// and to see in which order files are synced and renamed.
class SyscallSpy {
public:
    enum class Call { Read, Fsync, Count };

    // The n-th call of that kind from now on (1: the next one) fails with error.
    static void failCall(Call call, int n, int error);
    // Successful calls may change errno; from now on they do.
    static void dirtyErrno();
    // From now on, each fsync and rename is kept as "fsync PATH" or "rename FROM TO".
    static void startLog();
    static const std::vector<std::string>& log();
    // Every call made normally again, the log emptied.
    static void reset();
};
