#include "platform/PlayerFile.h"

#include "platform/SystemError.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <io.h>

namespace platform {
namespace {

// Keeps why the call just made failed.
bool fail(std::string& why, const char* what, const std::string& path)
{
    why = platform::systemError(what, path);
    return false;
}

bool writeAll(std::FILE* file, const std::string& bytes)
{
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0
           && _commit(_fileno(file)) == 0;
}

enum class Replaced { Done, NotPossible, Failed };

// A new file beside the old one, renamed over it. Unless Done, the old file is as it was;
// after NotPossible it can still be written in place.
Replaced replace(const std::string& path, const std::string& bytes, std::string& why)
{
    const std::string temporary = path + ".new";
    std::remove(temporary.c_str());
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr)
        return fail(why, "cannot create", temporary), Replaced::NotPossible;
    bool written = writeAll(file, bytes);
    if (!written)
        fail(why, "cannot write", temporary);
    if (std::fclose(file) != 0 && written)
        written = fail(why, "cannot write", temporary);
    std::error_code failed;
    if (written)
        std::filesystem::rename(temporary, path, failed);
    if (written && !failed)
        return Replaced::Done;
    std::remove(temporary.c_str());
    if (!written)
        return Replaced::Failed;
    why = "cannot replace " + path + ": " + failed.message();
    return Replaced::NotPossible;
}

bool overwrite(const std::string& path, const std::string& bytes, std::string& why)
{
    std::FILE* file = std::fopen(path.c_str(), "r+b");
    if (file == nullptr)
        return fail(why, "cannot write", path);
    bool written = writeAll(file, bytes) && _chsize_s(_fileno(file), static_cast<long long>(bytes.size())) == 0
                   && _commit(_fileno(file)) == 0;
    if (!written)
        fail(why, "cannot write", path);
    written = std::fclose(file) == 0 && written;
    return written;
}

}  // namespace

bool PlayerFile::write(const std::string& path, const std::string& bytes, std::string& why)
{
    std::error_code missing;
    if (std::filesystem::exists(path, missing)) {
        // A file the player has made read-only stays as it is.
        std::FILE* probe = std::fopen(path.c_str(), "r+b");
        if (probe == nullptr)
            return fail(why, "cannot write", path);
        std::fclose(probe);
        const Replaced replaced = replace(path, bytes, why);
        return replaced == Replaced::Done || (replaced == Replaced::NotPossible && overwrite(path, bytes, why));
    }
    return replace(path, bytes, why) == Replaced::Done;
}

}  // namespace platform
