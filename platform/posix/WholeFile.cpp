#include "platform/WholeFile.h"

#include "platform/SystemError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kChunk = 64 * 1024;

// Keeps why the call just made failed.
WholeFile fail(std::string& why, const char* what, const std::string& path)
{
    why = platform::systemError(what, path);
    return WholeFile::Unreadable;
}

WholeFile tooLarge(std::string& why, const std::string& path)
{
    why = path + " is too large to read";
    return WholeFile::TooLarge;
}

WholeFile readOpen(int fd, const std::string& path, std::string& bytes, std::string& why)
{
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return fail(why, "cannot examine", path);
    if (S_ISDIR(info.st_mode)) {
        why = path + " is a folder";
        return WholeFile::Folder;
    }
    if (!S_ISREG(info.st_mode)) {
        why = path + " is not a plain file";
        return WholeFile::Unreadable;
    }
    // Known at once for a file that is too large already; one that grows is caught below.
    if (static_cast<unsigned long long>(info.st_size) > kMostWholeFileBytes)
        return tooLarge(why, path);
    std::string chunk(kChunk, '\0');
    for (;;) {
        const ssize_t got = ::read(fd, chunk.data(), chunk.size());
        if (got == 0)
            return WholeFile::Read;
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return fail(why, "cannot read", path);
        if (bytes.size() + static_cast<std::size_t>(got) > kMostWholeFileBytes)
            return tooLarge(why, path);
        bytes.append(chunk.data(), static_cast<std::size_t>(got));
    }
}

}  // namespace

WholeFile readWholeFile(const std::string& path, std::string& bytes, std::string& why)
{
    bytes.clear();
    // Not waiting keeps a pipe or a device in the file's place from hanging the game.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && (errno == ENOENT || errno == ENOTDIR)) {
        fail(why, "cannot open", path);
        return WholeFile::Missing;
    }
    if (fd < 0)
        return fail(why, "cannot open", path);
    const WholeFile result = readOpen(fd, path, bytes, why);
    ::close(fd);
    if (result != WholeFile::Read)
        bytes.clear();
    return result;
}
