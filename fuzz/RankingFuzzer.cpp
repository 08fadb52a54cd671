#include "FuzzFile.h"
#include "scenes/ScoreTable.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace {

using Entries = std::vector<std::pair<std::string, int>>;

[[noreturn]] void fault(const char* what)
{
    std::fprintf(stderr, "ranking fuzz: %s\n", what);
    std::abort();
}

Entries entriesOf(const ScoreTable& table)
{
    Entries entries;
    for (int i = 0; i < table.count(); ++i) {
        const ScoreEntry entry = table.entry(i);
        if (strnlen(entry.name, sizeof entry.name) >= sizeof entry.name)
            fault("a name longer than 15 bytes");
        entries.emplace_back(entry.name, entry.score);
    }
    return entries;
}

// The entry the input's last bytes make: any name, any score.
ScoreEntry newEntry(const std::uint8_t* data, std::size_t size)
{
    ScoreEntry entry;
    const std::size_t length = std::min(size, sizeof entry.name - 1);
    std::memcpy(entry.name, data + size - length, length);
    std::memcpy(&entry.score, data, std::min(size, sizeof entry.score));
    return entry;
}

void checkLines(const std::string& text)
{
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        if (end == std::string::npos)
            fault("a line that does not end in CR LF");
        const std::string line = text.substr(at, end - at);
        if (line.find(',') == std::string::npos || line.find('\n') != std::string::npos)
            fault("a line without its comma, or a line end inside a line");
        at = end + 2;
    }
}

}  // namespace

// Any bytes as a ranking file: loaded, one entry inserted, saved and loaded again.
// Nothing loaded is lost, the table stays sorted, and saving what was loaded from a
// saved file gives the same file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const FuzzFile file("score.txt");
    file.write(data, size);
    ScoreTable table;
    table.load(file.path());
    Entries expected = entriesOf(table);
    table.insert(newEntry(data, size));
    const Entries inserted = entriesOf(table);
    if (!std::is_sorted(inserted.begin(), inserted.end(), [](const auto& a, const auto& b) { return a.second > b.second; }))
        fault("not sorted by score");
    if (table.save(file.path()) != 0)
        fault("not saved");
    const std::string saved = file.read();
    checkLines(saved);

    ScoreTable again;
    again.load(file.path());
    Entries reloaded = entriesOf(again);
    if (reloaded != inserted)
        fault("what was saved does not load back as it was");
    std::sort(expected.begin(), expected.end());
    std::sort(reloaded.begin(), reloaded.end());
    if (!std::includes(reloaded.begin(), reloaded.end(), expected.begin(), expected.end()))
        fault("a loaded entry was lost");
    if (again.save(file.path()) != 0 || file.read() != saved)
        fault("saving a saved file changed it");
    return 0;
}
