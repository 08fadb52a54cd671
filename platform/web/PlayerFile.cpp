#include "platform/PlayerFile.h"

#include "platform/SystemError.h"
#include "platform/web/PageBridge.h"

#include <cstdio>
#include <cstring>

namespace platform {
namespace {

// Keeps why the call just made failed.
bool fail(std::string& why, const char* what, const std::string& path)
{
    why = platform::systemError(what, path);
    return false;
}

bool writeAll(const std::string& path, const std::string& bytes, std::string& why)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return fail(why, "cannot create", path);
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size()
                   || fail(why, "cannot write", path);
    if (std::fclose(file) != 0 && written)
        written = fail(why, "cannot write", path);
    return written;
}

// The page's memory holds the file the game reads; a new one renamed over the old
// one leaves that whole when the write fails part way.
bool writeInMemory(const std::string& path, const std::string& bytes, std::string& why)
{
    const std::string temporary = path + ".new";
    bool written = writeAll(temporary, bytes, why);
    if (written && std::rename(temporary.c_str(), path.c_str()) != 0)
        written = fail(why, "cannot replace", path);
    if (!written)
        std::remove(temporary.c_str());
    return written;
}

}  // namespace

bool PlayerFile::write(const std::string& path, const std::string& bytes, std::string& why)
{
    if (!writeInMemory(path, bytes, why))
        return false;
    if (tessaro_store(path.c_str()) != 0)
        return true;
    why = path + " is not stored in this browser (the console says why)";
    return false;
}

}  // namespace platform
