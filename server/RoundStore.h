#pragma once

#include "server/StoredRound.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// Where the world ranking lives. Each call is safe from any thread.
class RoundStore {
public:
    // The database cannot be reached or failed a statement: asked again later, it may answer.
    class Unavailable : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };
    // The database can never serve this server (a newer schema, say): the message says why.
    class Refused : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };

    struct Added {
        std::int64_t id = 0;
        // False when the same bytes were kept before; `id` is then theirs.
        bool isNew = false;
    };
    struct Placing {
        std::int64_t rank = 0;
        std::int64_t of = 0;
    };

    // The schema this build reads and writes.
    static constexpr int kSchemaVersion = 1;

    virtual ~RoundStore() = default;

    // Keeps a verified round once, by its bytes' hash.
    virtual Added add(const StoredRound& round) = 0;
    // Higher totals first; equal totals in the order received, as the game's own ranking.
    virtual Placing placing(std::int64_t id) = 0;
    // Rounds from rank offset + 1, without their replays.
    virtual std::vector<StoredRound> ranking(std::int64_t offset, int limit) = 0;
    virtual std::optional<StoredRound> round(std::int64_t id, bool withReplay) = 0;
    virtual std::int64_t count() = 0;
    // The salt of the sender hashes, the same for every server on this database.
    virtual std::string salt() = 0;
    // The database as messages name it, never with a password.
    virtual std::string name() const = 0;

protected:
    // 64 hexadecimal digits from the system's random source.
    static std::string freshSalt();
    // The schema number a database holds; throws Refused for one this build does not know.
    static int checkSchema(const std::string& found);
};
