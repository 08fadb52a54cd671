#include "render/PngImage.h"
#include "scenes/ScoreTable.h"
#include "tests/soak/SoakScript.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <unistd.h>
#include <utility>
#include <vector>

// tessaro-soak SEED LOOPS [keep]: plays LOOPS random loops of the game, made from SEED,
// through the simulator in a scratch folder that holds an old ranking file. Every old
// entry must survive, every round must add its own, and every picture must be whole.
// The folder, with the script and the pictures, is kept and named when something is
// wrong, or when asked.

namespace fs = std::filesystem;

namespace {

using Entries = std::vector<std::pair<std::string, int>>;

constexpr int kOldEntries = 120;
constexpr int kOldScoreRange = 100000;
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

// An old ranking as players leave them: unsorted, ties, odd names, both line ends.
std::string oldRanking()
{
    std::string file = "%s%n,5\r\nTRAILING       ,7\nNEGATIVE,-40\r\n,0\r\nABCDEFGHIJKLMNO,12345\r\n";
    for (int i = 0; i < kOldEntries; ++i)
        file += "OLD" + std::to_string(i % 17) + "," + std::to_string((i * 7919) % kOldScoreRange)
                + (i % 3 == 0 ? "\n" : "\r\n");
    return file;
}

Entries entriesIn(const std::string& path)
{
    ScoreTable table;
    table.load(path);
    Entries entries;
    for (int i = 0; i < table.count(); ++i)
        entries.emplace_back(table.entry(i).name, table.entry(i).score);
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::string valueOf(const std::string& line, const std::string& key)
{
    const std::size_t at = line.find(" " + key + "=");
    if (at == std::string::npos)
        return "";
    const std::size_t start = at + key.size() + 2;
    if (line[start] == '"')
        return line.substr(start + 1, line.find('"', start + 1) - start - 1);
    return line.substr(start, line.find(' ', start) - start);
}

// The results the rankings reached after a name entry were given.
Entries newResults(const std::string& output)
{
    Entries results;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);)
        if (valueOf(line, "scene") == "2" && valueOf(line, "pending") == "1")
            results.emplace_back(valueOf(line, "result_name"), std::atoi(valueOf(line, "result_score").c_str()));
    return results;
}

std::string run(const std::string& command, int& status)
{
    std::string output;
    std::FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        output += buffer;
    status = pipe == nullptr ? -1 : pclose(pipe);
    return output;
}

bool check(bool good, const std::string& what)
{
    if (!good)
        std::cerr << "tessaro-soak: " << what << '\n';
    return good;
}

bool checkShots(const std::vector<std::string>& shots)
{
    bool good = true;
    for (const std::string& shot : shots) {
        PngImage image;
        good = check(image.load(shot) && image.width() == kScreenWidth && image.height() == kScreenHeight,
                     "picture " + shot + " is not a whole screen")
               && good;
    }
    return good;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool keep = argc == 4 && std::string(argv[3]) == "keep";
    if (argc != 3 && !keep) {
        std::cerr << "usage: tessaro-soak SEED LOOPS [keep]\n";
        return 2;
    }
    const unsigned seed = static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10));
    const int loops = std::atoi(argv[2]);
    SoakScript script(seed);
    for (int i = 0; i < loops; ++i)
        script.addLoop();

    std::string folder = (fs::temp_directory_path() / "tessaro-soak-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr)
        return check(false, "no scratch folder"), 1;
    fs::current_path(folder);
    fs::create_directory("data");
    for (const auto& image : fs::directory_iterator(TESSARO_DATA_DIR))
        if (image.path().extension() == ".png")
            fs::copy_file(image.path(), fs::path("data") / image.path().filename());
    std::ofstream("data/score.txt", std::ios::binary) << oldRanking();
    std::ofstream("soak.sim") << script.text();
    const Entries old = entriesIn("data/score.txt");

    std::cout << "tessaro-soak: seed " << seed << ", " << loops << " loops" << std::endl;
    int status = 0;
    const std::string output = run(std::string(TESSARO_SIM) + " soak.sim 2>&1", status);
    const Entries added = newResults(output);
    Entries expected = old;
    expected.insert(expected.end(), added.begin(), added.end());
    std::sort(expected.begin(), expected.end());

    bool good = check(status == 0, "the simulator failed:\n" + output);
    good = check(static_cast<int>(added.size()) == loops, std::to_string(added.size()) + " rankings reached after a name, of "
                                                             + std::to_string(loops) + " loops")
           && good;
    good = check(entriesIn("data/score.txt") == expected, "the ranking file lost or gained entries") && good;
    good = checkShots(script.shots()) && good;
    fs::current_path("/");
    if (good)
        std::cout << "tessaro-soak: " << added.size() << " rounds, " << old.size() << " old entries kept, "
                  << script.shots().size() << " pictures" << std::endl;
    if (!good || keep)
        std::cerr << "tessaro-soak: kept in " << folder << " (script soak.sim); again: tessaro-soak " << seed << ' '
                  << loops << '\n';
    else
        fs::remove_all(folder);
    return good ? 0 : 1;
}
