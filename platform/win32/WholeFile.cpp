#include "platform/WholeFile.h"

#include "platform/SystemError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

constexpr std::size_t kChunk = 64 * 1024;

// Keeps why the call just made failed.
WholeFile fail(std::string& why, const char* what, const std::string& path)
{
    why = platform::systemError(what, path);
    return WholeFile::Unreadable;
}

WholeFile readOpen(std::FILE* file, const std::string& path, std::string& bytes, std::string& why)
{
    std::string chunk(kChunk, '\0');
    std::size_t got = 0;
    while ((got = std::fread(chunk.data(), 1, chunk.size(), file)) > 0) {
        if (bytes.size() + got > kMostWholeFileBytes) {
            why = path + " is too large to read";
            return WholeFile::TooLarge;
        }
        bytes.append(chunk.data(), got);
    }
    return std::ferror(file) ? fail(why, "cannot read", path) : WholeFile::Read;
}

}  // namespace

WholeFile readWholeFile(const std::string& path, std::string& bytes, std::string& why)
{
    bytes.clear();
    // Asked first: Windows refuses to open a folder with a reason that does not tell it apart.
    std::error_code failed;
    if (std::filesystem::is_directory(path, failed)) {
        why = path + " is a folder";
        return WholeFile::Folder;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr && errno == ENOENT) {
        fail(why, "cannot open", path);
        return WholeFile::Missing;
    }
    if (file == nullptr)
        return fail(why, "cannot open", path);
    const WholeFile result = readOpen(file, path, bytes, why);
    std::fclose(file);
    if (result != WholeFile::Read)
        bytes.clear();
    return result;
}
