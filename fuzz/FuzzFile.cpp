#include "FuzzFile.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {
// Memory-backed where the system has it, so that every input does not wait for a disk.
fs::path scratch()
{
    std::error_code missing;
    return fs::is_directory("/dev/shm", missing) ? fs::path("/dev/shm") : fs::temp_directory_path();
}
}  // namespace

FuzzFile::FuzzFile(const std::string& name)
{
    std::string pattern = (scratch() / "tessaro-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("tessaro fuzz: no temporary folder");
        std::abort();
    }
    folder_ = pattern;
    path_ = (fs::path(folder_) / name).string();
}

FuzzFile::~FuzzFile()
{
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

void FuzzFile::write(const std::uint8_t* data, std::size_t size) const
{
    std::ofstream(path_, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                   static_cast<std::streamsize>(size));
}

std::string FuzzFile::read() const
{
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
