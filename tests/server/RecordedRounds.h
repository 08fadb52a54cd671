#pragma once

#include "replay/Replay.h"

#include <string>

// The rounds recorded under tests/replays, as bytes and as read.
std::string recorded(const std::string& name);
Replay decoded(const std::string& bytes);
