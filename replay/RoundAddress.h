#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Where one ranked round is on a world ranking's server: its page /rounds/ID, its
// details /api/rounds/ID, or its replay's bytes /api/rounds/ID/replay.
class RoundAddress {
public:
    enum class Kind { Page, Details, Replay };

    std::int64_t id = 0;
    Kind kind = Kind::Page;

    // The round a path names, ID in decimal digits; nullopt for any other path. A query
    // or fragment is the caller's to cut off.
    static std::optional<RoundAddress> parse(std::string_view path);
    // The path, as parse reads it.
    std::string path() const;
};
