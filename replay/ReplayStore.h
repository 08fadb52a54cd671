#pragma once

#include "replay/Replay.h"

#include <string>
#include <vector>

// The replays under data/replays/, one file a round, numbered in the order played.
// What it reports goes to standard error: a replay that cannot be kept never stops
// the game.
class ReplayStore {
public:
    static constexpr const char* kFolder = "data/replays";
    static constexpr int kKeepLatest = 20;

    // A ranking entry whose replay is kept however old it is.
    struct Kept {
        std::string name;
        int total;
    };

    // Keeps a finished round as the newest file; it becomes the last round.
    void saveRound(const Replay& replay);
    // A round not kept (a replay watched): the next name belongs to no file.
    void forgetLastRound();
    // Writes the name typed after the last round into its replay.
    void nameLastRound(const char* name);
    // Removes the replays that are neither among the latest nor the replay of an entry kept.
    void prune(std::vector<Kept> kept);

    // Where the replays are kept.
    static std::string folder();
    // The file of a round number.
    static std::string path(int number);
    // Round numbers of the files present, oldest first.
    static std::vector<int> numbers();

private:
    // The last round's replay, kept to be named after it.
    Replay lastReplay_;
    std::string lastPath_;
};
