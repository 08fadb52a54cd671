#include "scenes/ScoreTable.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

// Forces a file's written bytes onto the disk; 0 on success.
int syncToDisk(std::FILE* file)
{
#ifdef _WIN32
    return _commit(_fileno(file));
#else
    return fsync(fileno(file));
#endif
}

// Beyond this a line is cut: what follows cannot make a second entry.
constexpr std::size_t kMaxLine = 4096;

// Like atoi, but a value beyond int is clamped instead of undefined.
int parseScore(const char* text)
{
    while (*text == ' ' || *text == '\t')
        ++text;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

bool readLine(std::FILE* file, std::string& line)
{
    line.clear();
    int c = 0;
    while ((c = std::fgetc(file)) != EOF && c != '\n')
        if (line.size() < kMaxLine)
            line.push_back(static_cast<char>(c));
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return c != EOF || !line.empty();
}

void report(const std::string& what, const std::string& path, const std::string& why = std::strerror(errno))
{
    std::fprintf(stderr, "tessaro: ranking not saved: %s %s: %s\n", what.c_str(), path.c_str(), why.c_str());
}

}  // namespace

bool ScoreTable::parseLine(const std::string& line, ScoreEntry& entry)
{
    const std::size_t comma = line.find(',');
    if (comma == std::string::npos)
        return false;
    entry = ScoreEntry{};
    // Copied verbatim, cut to what the record holds.
    const std::size_t length = std::min<std::size_t>(comma, sizeof entry.name - 1);
    std::memcpy(entry.name, line.data(), length);
    entry.name[length] = '\0';
    entry.score = parseScore(line.c_str() + comma + 1);
    return true;
}

void ScoreTable::load(const std::string& path)
{
    clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return;
    std::string line;
    ScoreEntry entry;
    while (readLine(file, line))
        if (parseLine(line, entry))
            entries_.push_back(entry);
    std::fclose(file);
}

int ScoreTable::save(const std::string& path) const
{
    const std::string temporary = path + ".new";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        report("cannot create", temporary);
        return 1;
    }
    bool written = true;
    for (const ScoreEntry& e : entries_)
        written = written && std::fprintf(file, "%s,%d\r\n", e.name, e.score) > 0;
    written = written && std::fflush(file) == 0 && syncToDisk(file) == 0;
    written = std::fclose(file) == 0 && written;
    if (!written) {
        report("cannot write", temporary);
        std::remove(temporary.c_str());
        return 1;
    }
    // Replaces the old file in one step, on every system.
    std::error_code failed;
    std::filesystem::rename(temporary, path, failed);
    if (failed) {
        report("cannot replace", path, failed.message());
        std::remove(temporary.c_str());
        return 1;
    }
    return 0;
}

ScoreEntry ScoreTable::entry(int index) const
{
    if (index < 0 || index >= count())
        return ScoreEntry{};
    return entries_[static_cast<std::size_t>(index)];
}

void ScoreTable::insert(ScoreEntry entry)
{
    entries_.push_back(entry);
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const ScoreEntry& a, const ScoreEntry& b) { return a.score > b.score; });
}
