#pragma once

#include "watch/WatchedRound.h"

#include <string>

// A round of a world ranking fetched by its address, to be watched: its standing and
// its replay. Only builds with the HTTP client fetch; the others say so.
class RankedRoundFetcher {
public:
    enum class Outcome { Fetched, NotARoundAddress, Failed };

    // From the round's page, http://HOST[:PORT]/rounds/ID, or the interface's
    // /api/rounds/ID or /api/rounds/ID/replay. Unless Fetched, why says what is wrong.
    static Outcome fetch(const std::string& url, WatchedRound& round, std::string& why);
};
