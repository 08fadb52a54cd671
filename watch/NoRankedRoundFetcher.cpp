// The fetcher of the builds without the HTTP client (Windows, whose cross-compiler has
// no Boost): a ranked round is watched from its saved replay instead.
#include "watch/RankedRoundFetcher.h"

RankedRoundFetcher::Outcome RankedRoundFetcher::fetch(const std::string&, WatchedRound&, std::string& why)
{
    why = "this build shows replay files only: save the round's replay from "
          "http://HOST[:PORT]/api/rounds/ID/replay and name the file";
    return Outcome::Failed;
}
