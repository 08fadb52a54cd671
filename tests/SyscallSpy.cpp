#include "SyscallSpy.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

struct Fault {
    int countdown = 0;
    int error = 0;
};

constexpr int kCalls = static_cast<int>(SyscallSpy::Call::Count);
// What successful calls leave in errno once dirtyErrno is on.
constexpr int kDirt = EBADMSG;

Fault faults[kCalls];
bool dirty = false;
bool logging = false;
std::vector<std::string> calls;

// True when this call is the one set to fail; errno then holds its error.
bool failsNow(SyscallSpy::Call call)
{
    Fault& fault = faults[static_cast<int>(call)];
    if (fault.countdown == 0 || --fault.countdown > 0)
        return false;
    errno = fault.error;
    return true;
}

long finish(long result)
{
    if (result >= 0 && dirty)
        errno = kDirt;
    return result;
}

std::string pathOf(int fd)
{
    char link[64];
    char path[4096];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = readlink(link, path, sizeof path);
    return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : "?";
}

}  // namespace

void SyscallSpy::failCall(Call call, int n, int error) { faults[static_cast<int>(call)] = {n, error}; }

void SyscallSpy::dirtyErrno() { dirty = true; }

void SyscallSpy::startLog() { logging = true; }

const std::vector<std::string>& SyscallSpy::log() { return calls; }

void SyscallSpy::reset()
{
    for (Fault& fault : faults)
        fault = {};
    dirty = false;
    logging = false;
    calls.clear();
}

// The program's own definitions come before the C library's.
extern "C" ssize_t read(int fd, void* buffer, size_t size)
{
    if (failsNow(SyscallSpy::Call::Read))
        return -1;
    return finish(syscall(SYS_read, fd, buffer, size));
}

extern "C" int fsync(int fd)
{
    if (logging)
        calls.push_back("fsync " + pathOf(fd));
    if (failsNow(SyscallSpy::Call::Fsync))
        return -1;
    return static_cast<int>(finish(syscall(SYS_fsync, fd)));
}

extern "C" int rename(const char* from, const char* to)
{
    if (logging)
        calls.push_back(std::string("rename ") + from + " " + to);
    return static_cast<int>(finish(renameat(AT_FDCWD, from, AT_FDCWD, to)));
}

// Closing follows most failures, so a cause read after it would be the wrong one.
extern "C" int close(int fd)
{
    return static_cast<int>(finish(syscall(SYS_close, fd)));
}
