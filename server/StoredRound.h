#pragma once

#include <cstdint>
#include <string>

// One verified round as the ranking keeps it.
struct StoredRound {
    std::int64_t id = 0;
    std::string name;
    int total = 0;
    int score = 0;
    int comboBonus = 0;
    int clearBonus = 0;
    int endKind = 0;
    int steps = 0;
    std::string gameVersion;
    // SHA-256 of the replay's bytes, in hexadecimal: the same bytes are one round.
    std::string sha256;
    // Seconds since 1970, UTC.
    std::int64_t receivedAt = 0;
    // The sender's address, salted and hashed; never the address.
    std::string senderHash;
    // Empty where a reader asked for the details only.
    std::string replay;
};
