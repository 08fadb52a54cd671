#include "platform/PlayerFile.h"

#include "platform/SystemError.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// As many as the system itself follows before it gives up.
constexpr int kMaxLinks = 40;
constexpr mode_t kModeBits = 07777;
constexpr mode_t kNewFileMode = 0666;  // narrowed by the umask, as any new file
constexpr mode_t kPrivateMode = 0600;  // until the old file's mode is copied

// Keeps why the call just made failed.
bool fail(std::string& why, const char* what, const std::string& path)
{
    why = platform::systemError(what, path);
    return false;
}

bool refuse(std::string& why, const std::string& path, const char* reason)
{
    why = path + " " + reason;
    return false;
}

// The file a chain of symbolic links ends at; it need not exist.
bool followLinks(const std::string& path, std::string& target, std::string& why)
{
    target = path;
    for (int hops = 0; hops < kMaxLinks; ++hops) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0)
            return errno == ENOENT || fail(why, "cannot examine", target);
        if (!S_ISLNK(info.st_mode))
            return true;
        std::string link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
        if (length < 0)
            return fail(why, "cannot follow", target);
        link.resize(static_cast<std::size_t>(length));
        target = (std::filesystem::path(target).parent_path() / link).string();
    }
    return refuse(why, path, "is a chain of too many links");
}

std::string folderOf(const std::string& path)
{
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

bool writeAll(int fd, const std::string& bytes)
{
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t put = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

// The rename is only lasting once the folder that records it is on the disk too.
// Some systems cannot sync a folder; the file itself is already safe there.
void syncFolder(const std::string& path)
{
    const int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// A descriptor of a new file with the old one's owner, group and mode, or -1.
int createLike(const std::string& temporary, const struct stat* old)
{
    // A stale one from an earlier crash goes; one that cannot go makes the create fail.
    ::unlink(temporary.c_str());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                          old == nullptr ? kNewFileMode : kPrivateMode);
    if (fd < 0 || old == nullptr)
        return fd;
    struct stat made {};
    const bool same = ::fstat(fd, &made) == 0
                      && ((made.st_uid == old->st_uid && made.st_gid == old->st_gid)
                          || ::fchown(fd, old->st_uid, old->st_gid) == 0)
                      && ::fchmod(fd, old->st_mode & kModeBits) == 0;
    if (!same) {
        const int error = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        errno = error;
        return -1;
    }
    return fd;
}

enum class Replaced { Done, NotPossible, Failed };

// Writes a new file beside the target and renames it over, in one step for any reader.
Replaced replace(const std::string& target, const std::string& bytes, const struct stat* old, std::string& why)
{
    // Renaming over a file with other names would part it from them.
    if (old != nullptr && old->st_nlink > 1)
        return Replaced::NotPossible;
    const std::string temporary = target + ".new";
    const int fd = createLike(temporary, old);
    if (fd < 0)
        return fail(why, "cannot create", temporary), Replaced::NotPossible;
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0) {
        fail(why, "cannot write", temporary);
        ::close(fd);
        ::unlink(temporary.c_str());
        return Replaced::Failed;
    }
    if (::close(fd) != 0 || ::rename(temporary.c_str(), target.c_str()) != 0) {
        fail(why, "cannot replace", target);
        ::unlink(temporary.c_str());
        return Replaced::NotPossible;
    }
    syncFolder(target);
    return Replaced::Done;
}

// Overwrites through a descriptor open for writing. The space is claimed first, so a
// full disk fails before a byte of the old contents is touched.
bool overwrite(int fd, const std::string& target, const std::string& bytes, std::string& why)
{
    const int claimed = ::posix_fallocate(fd, 0, static_cast<off_t>(bytes.size()));
    if (claimed != 0 && claimed != EINVAL && claimed != EOPNOTSUPP) {
        errno = claimed;
        return fail(why, "no room to write", target);
    }
    if (!writeAll(fd, bytes) || ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0 || ::fsync(fd) != 0)
        return fail(why, "cannot write", target);
    return true;
}

}  // namespace

bool PlayerFile::write(const std::string& path, const std::string& bytes, std::string& why)
{
    std::string target;
    if (!followLinks(path, target, why))
        return false;
    struct stat old {};
    if (::stat(target.c_str(), &old) != 0) {
        if (errno != ENOENT)
            return fail(why, "cannot examine", target);
        return replace(target, bytes, nullptr, why) == Replaced::Done;
    }
    if (!S_ISREG(old.st_mode))
        return refuse(why, target, "is not a plain file");
    // Changes nothing yet, and finds a file the player has made read-only, which stays so.
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return fail(why, "cannot write", target);
    const Replaced replaced = replace(target, bytes, &old, why);
    const bool written = replaced == Replaced::Done
                         || (replaced == Replaced::NotPossible && overwrite(fd, target, bytes, why));
    ::close(fd);
    return written;
}

}  // namespace platform
