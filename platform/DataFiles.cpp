#include "platform/DataFiles.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <system_error>
#include <utility>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kDataPrefix = "data/";
constexpr const char* kWorkingData = "data";
bool holdsTheImages(const fs::path& folder)
{
    std::error_code ignored;
    for (const char* name : DataFiles::kImagesThatMarkIt)
        if (!fs::is_regular_file(folder / name, ignored))
            return false;
    return true;
}

void report(const char* what, const fs::path& folder, const std::error_code& why)
{
    std::fprintf(stderr, "tessaro: cannot %s the player's folder %s: %s\n", what, folder.string().c_str(),
                 why.message().c_str());
}

// Makes the folder and those above it that are missing, for the owner alone.
bool makeFolder(const fs::path& folder, std::error_code& failed)
{
    if (fs::is_directory(folder, failed))
        return true;
    const fs::path parent = folder.parent_path();
    if (!parent.empty() && parent != folder && !makeFolder(parent, failed))
        return false;
    if (fs::create_directory(folder, failed))
        fs::permissions(folder, fs::perms::owner_all, failed);
    return !failed;
}

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
constexpr const char* kPlayerFolder = "tessaro";
constexpr const char* kDefaultDataHome = ".local/share";

// $XDG_DATA_HOME when it is an absolute path, otherwise ~/.local/share; empty when
// there is no home folder either.
fs::path playerFolder()
{
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && fs::path(dataHome).is_absolute())
        return fs::path(dataHome) / kPlayerFolder;
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        const passwd* account = getpwuid(getuid());
        home = account != nullptr ? account->pw_dir : nullptr;
    }
    if (home == nullptr || *home == '\0')
        return {};
    return fs::path(home) / kDefaultDataHome / kPlayerFolder;
}

// Installed, the images lie at a fixed place relative to the program's own folder.
fs::path installedImages()
{
    std::error_code failed;
    const fs::path program = fs::read_symlink("/proc/self/exe", failed);
    if (failed)
        return {};
    return (program.parent_path() / TESSARO_IMAGES_FROM_PROGRAM).lexically_normal();
}
#endif

}  // namespace

DataFiles::DataFiles(fs::path images, fs::path player) : images_(std::move(images)), player_(std::move(player)) {}

DataFiles DataFiles::ofThisProgram()
{
#if defined(_WIN32) || defined(__EMSCRIPTEN__)
    // The Windows program is not installed: it runs in its unzipped folder, beside data\.
    // The page keeps its images and the player's files in its own data/ folder.
    return DataFiles({}, {});
#else
    return DataFiles(installedImages(), playerFolder());
#endif
}

fs::path DataFiles::redirected(const fs::path& folder, const std::string& name)
{
    if (folder.empty() || name.compare(0, kDataPrefix.size(), kDataPrefix) != 0)
        return {};
    if (holdsTheImages(kWorkingData))
        return {};
    return folder / name.substr(kDataPrefix.size());
}

std::string DataFiles::imagesFolder() const
{
    const fs::path marker = redirected(images_, std::string(kDataPrefix) + DataFiles::kImagesThatMarkIt[0]);
    return marker.empty() ? kWorkingData : marker.parent_path().lexically_normal().string();
}

bool DataFiles::imagesPresent() const { return holdsTheImages(imagesFolder()); }

std::string DataFiles::image(const std::string& name) const
{
    const fs::path file = redirected(images_, name);
    return file.empty() ? name : file.string();
}

std::string DataFiles::playerFile(const std::string& name) const
{
    const fs::path file = redirected(player_, name);
    if (file.empty())
        return name;
    // Not there yet is the first run; a failure to look hides the player's files.
    std::error_code failed;
    if (!fs::exists(file, failed) && failed)
        report("look into", file.parent_path(), failed);
    return file.string();
}

std::string DataFiles::playerFileToWrite(const std::string& name) const
{
    const fs::path file = redirected(player_, name);
    if (file.empty())
        return name;
    std::error_code failed;
    if (!makeFolder(file.parent_path(), failed))
        report("make", file.parent_path(), failed);
    return file.string();
}
