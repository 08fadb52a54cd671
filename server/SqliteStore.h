#pragma once

#include "server/RoundStore.h"

#include <mutex>
#include <string>

struct sqlite3;

// The ranking in one SQLite file: write-ahead logged, every commit on the disk before it
// is answered, writers taking the lock at the start of their transaction.
class SqliteStore : public RoundStore {
public:
    // Opens or creates the file and brings its schema up to this build's; throws Refused
    // with the reason when it cannot.
    explicit SqliteStore(const std::string& path);
    ~SqliteStore() override;
    SqliteStore(const SqliteStore&) = delete;
    SqliteStore& operator=(const SqliteStore&) = delete;

    Added add(const StoredRound& round) override;
    Placing placing(std::int64_t id) override;
    std::vector<StoredRound> ranking(std::int64_t offset, int limit) override;
    std::optional<StoredRound> round(std::int64_t id, bool withReplay) override;
    std::int64_t count() override;
    std::string salt() override { return salt_; }
    std::string name() const override { return path_; }

private:
    void execute(const char* sql);
    // Creates the tables in a new file, refuses a newer schema; the salt either way.
    void migrate();

    std::mutex mutex_;
    sqlite3* db_ = nullptr;
    std::string salt_;
    std::string path_;
};
