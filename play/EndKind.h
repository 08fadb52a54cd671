#pragma once

#include <cstdint>
#include <string_view>

// How a round stands: still playing, or how it ended. The numbers are those replay
// files and state lines carry.
enum class EndKind : std::uint8_t { Playing = 0, BaseDestroyed = 1, TimeUp = 2 };

// How a round ended in words: "base destroyed" or "time up", empty while it plays. The
// ranking's answers and tessaro-watch's last line print these, and readers match them.
std::string_view endKindName(EndKind kind);
