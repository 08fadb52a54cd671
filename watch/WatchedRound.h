#pragma once

#include "replay/Replay.h"

#include <string>

class WatchScene;

// A replay to watch, with what the viewer says of it: in its window's title, and at
// the end how the round it showed ended.
class WatchedRound {
public:
    Replay replay;
    // "world rank 3 of 42" for a round of a world ranking; empty for a file.
    std::string standing;

    // The name typed after the round, as it can be printed; "no name" when none was.
    std::string playerName() const;
    // "Tessaro replay: ACE", with the standing behind it in brackets.
    std::string windowTitle() const;
    // One line: how the round shown ended and its total, or that it was stopped early.
    std::string ending(const WatchScene& scene) const;
};
