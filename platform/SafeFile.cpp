#include "platform/SafeFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#ifdef _WIN32
#include <io.h>
#define fsync _commit
#else
#include <unistd.h>
#endif

bool SafeFile::write(const std::string& path, std::string_view bytes, std::string& why)
{
    const std::string temporary = path + ".new";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        why = "cannot create " + temporary + ": " + std::strerror(errno);
        return false;
    }
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = written && std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    written = std::fclose(file) == 0 && written;
    if (!written) {
        why = "cannot write " + temporary + ": " + std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    // Replaces the old file in one step, on every system.
    std::error_code failed;
    std::filesystem::rename(temporary, path, failed);
    if (failed) {
        why = "cannot replace " + path + ": " + failed.message();
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
