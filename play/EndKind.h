#pragma once

#include <cstdint>

// How a round stands: still playing, or how it ended. The numbers are those replay
// files and state lines carry.
enum class EndKind : std::uint8_t { Playing = 0, BaseDestroyed = 1, TimeUp = 2 };
