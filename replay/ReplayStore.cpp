#include "replay/ReplayStore.h"

#include "platform/DataFiles.h"
#include "platform/PlayerFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace {

constexpr const char* kPrefix = "round-";
constexpr const char* kSuffix = ".tsr";

void report(const std::string& why) { std::fprintf(stderr, "tessaro: replay not saved: %s\n", why.c_str()); }

bool write(const std::string& file, const Replay& replay)
{
    std::string why;
    if (platform::PlayerFile::write(file, replay.encode(), why))
        return true;
    report(why);
    return false;
}

// The number in "round-NNNNNN.tsr", or -1.
int numberOf(const std::string& name)
{
    const std::string prefix = kPrefix;
    const std::string suffix = kSuffix;
    if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0
        || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return -1;
    const std::string digits = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    constexpr std::size_t kMaxDigits = 9;
    if (digits.size() > kMaxDigits || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    return std::stoi(digits);
}

}  // namespace

// data/replays where the working folder has data/, else in the player's own folder.
std::string ReplayStore::folder() { return DataFiles::ofThisProgram().playerFile(kFolder); }

std::string ReplayStore::path(int number)
{
    char name[32];
    std::snprintf(name, sizeof name, "%s%06d%s", kPrefix, number, kSuffix);
    return folder() + "/" + name;
}

std::vector<int> ReplayStore::numbers()
{
    std::vector<int> found;
    std::error_code failed;
    for (std::filesystem::directory_iterator it(folder(), failed), end; !failed && it != end; it.increment(failed)) {
        const int number = numberOf(it->path().filename().string());
        if (number >= 0)
            found.push_back(number);
    }
    std::sort(found.begin(), found.end());
    return found;
}

void ReplayStore::saveRound(const Replay& replay)
{
    forgetLastRound();
    // The player's own folders are made for the owner alone; a working data/ gets
    // its replays folder as any other.
    DataFiles::ofThisProgram().playerFileToWrite(std::string(kFolder) + "/" + kPrefix);
    std::error_code failed;
    std::filesystem::create_directories(folder(), failed);
    if (failed) {
        report("cannot create " + folder() + ": " + failed.message());
        return;
    }
    const std::vector<int> present = numbers();
    const std::string file = path(present.empty() ? 1 : present.back() + 1);
    if (!write(file, replay))
        return;
    lastReplay_ = replay;
    lastPath_ = file;
}

void ReplayStore::forgetLastRound()
{
    lastPath_.clear();
    lastReplay_ = Replay{};
}

void ReplayStore::nameLastRound(const char* name)
{
    if (lastPath_.empty())
        return;
    lastReplay_.setName(name);
    write(lastPath_, lastReplay_);
}

void ReplayStore::prune(std::vector<Kept> kept)
{
    std::vector<int> present = numbers();
    if (present.size() <= static_cast<std::size_t>(kKeepLatest))
        return;
    present.resize(present.size() - kKeepLatest);
    for (const int number : present) {
        const std::string file = path(number);
        Replay replay;
        std::string why;
        // A file this build cannot read may be a later build's: it stays.
        if (!Replay::readFile(file, replay, why))
            continue;
        const auto entry = std::find_if(kept.begin(), kept.end(), [&replay](const Kept& k) {
            return k.total == replay.result.total && k.name == replay.result.name;
        });
        if (entry != kept.end()) {
            kept.erase(entry);
            continue;
        }
        std::error_code failed;
        std::filesystem::remove(file, failed);
    }
}
