#pragma once

#include "play/RoundWorld.h"
#include "replay/ReplayStore.h"
#include "scenes/SharedResult.h"

// What the scenes of one run share. The program owns one and hands it to the
// scenes; a replay played again elsewhere has its own, so rounds never meet.
struct Session {
    Session() = default;
    // The scenes hold it: a copy would split the random sequence in two.
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    SharedResult result;
    ReplayStore replays;
    RoundWorld world;
};
