#include "scenes/ScoreTable.h"

#include "platform/PlayerFile.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

namespace {

// Beyond this a line is cut: what follows cannot make a second entry.
constexpr std::size_t kMaxLine = 4096;
constexpr int kMaxName = sizeof(ScoreEntry::name) - 1;
// A comma, "-2147483648", CR LF and the end of the text.
constexpr std::size_t kMaxScoreDigits = 15;

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

// The next line of text from at, without its line end; false past the last one.
bool nextLine(const std::string& text, std::size_t& at, std::string& line)
{
    if (at >= text.size())
        return false;
    const std::size_t end = std::min(text.find('\n', at), text.size());
    line.assign(text, at, std::min(end - at, kMaxLine));
    at = end + 1;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
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
    unreadable_.clear();
    std::string text;
    std::string why;
    if (platform::PlayerFile::read(path, text, why) == platform::PlayerFile::Read::Failed) {
        unreadable_ = path;
        std::fprintf(stderr, "tessaro: ranking shown but not saved, %s\n", why.c_str());
        return;
    }
    std::string line;
    ScoreEntry entry;
    for (std::size_t at = 0; nextLine(text, at, line);)
        if (parseLine(line, entry))
            entries_.push_back(entry);
}

std::string ScoreTable::text() const
{
    std::string text;
    char line[sizeof(ScoreEntry::name) + kMaxScoreDigits];
    for (const ScoreEntry& e : entries_) {
        std::snprintf(line, sizeof line, "%.*s,%d\r\n", kMaxName, e.name, e.score);
        text += line;
    }
    return text;
}

int ScoreTable::save(const std::string& path) const
{
    // What could not be read is never written over; the load has said why.
    if (path == unreadable_)
        return 1;
    std::string why;
    if (!platform::PlayerFile::write(path, text(), why)) {
        std::fprintf(stderr, "tessaro: ranking not saved: %s\n", why.c_str());
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
    // Either would end the name early when the file is read back.
    std::replace(entry.name, entry.name + sizeof entry.name, ',', ' ');
    std::replace(entry.name, entry.name + sizeof entry.name, '\n', ' ');
    entries_.push_back(entry);
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const ScoreEntry& a, const ScoreEntry& b) { return a.score > b.score; });
}
