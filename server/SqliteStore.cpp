#include "server/SqliteStore.h"

#include "server/RoundSql.h"
#include "server/SqliteStatement.h"

#include <sqlite3.h>

namespace {

// Long enough for another process's write on the same file to finish.
constexpr int kBusyTimeoutMs = 5000;

constexpr const char* kCreate =
    "CREATE TABLE settings (key TEXT PRIMARY KEY, value TEXT NOT NULL);"
    "CREATE TABLE rounds (id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT NOT NULL, total INTEGER NOT NULL,"
    " score INTEGER NOT NULL, combo_bonus INTEGER NOT NULL, clear_bonus INTEGER NOT NULL,"
    " end_kind INTEGER NOT NULL, steps INTEGER NOT NULL, game_version TEXT NOT NULL,"
    " sha256 TEXT NOT NULL UNIQUE, received_at INTEGER NOT NULL, sender_hash TEXT NOT NULL,"
    " replay BLOB NOT NULL);"
    "CREATE INDEX rounds_by_rank ON rounds (total DESC, id ASC);";

std::string readSetting(sqlite3* db, const char* key)
{
    SqliteStatement read(db, round_sql::kSetting);
    read.bind(key);
    return read.step() ? read.text(0) : std::string();
}

void putSetting(sqlite3* db, const char* key, const std::string& value)
{
    SqliteStatement put(db, round_sql::kPutSetting);
    put.bind(key).bind(value);
    put.step();
}

}  // namespace

SqliteStore::SqliteStore(const std::string& path) : path_(path)
{
    const int opened = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (opened != SQLITE_OK) {
        const std::string why = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(opened);
        sqlite3_close(db_);
        throw Refused(path + ": " + why);
    }
    try {
        sqlite3_busy_timeout(db_, kBusyTimeoutMs);
        execute("PRAGMA journal_mode=WAL");
        execute("PRAGMA synchronous=FULL");
        migrate();
    } catch (const Unavailable& e) {
        sqlite3_close(db_);
        throw Refused(path + ": " + e.what());
    } catch (const Refused& e) {
        sqlite3_close(db_);
        throw Refused(path + ": " + e.what());
    }
}

SqliteStore::~SqliteStore() { sqlite3_close(db_); }

void SqliteStore::execute(const char* sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string why = error ? error : sqlite3_errmsg(db_);
        sqlite3_free(error);
        throw Unavailable("SQLite: " + why);
    }
}

void SqliteStore::migrate()
{
    execute("BEGIN IMMEDIATE");
    try {
        SqliteStatement hasSettings(db_, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'settings'");
        if (!hasSettings.step()) {
            execute(kCreate);
            putSetting(db_, round_sql::kSchemaKey, std::to_string(kSchemaVersion));
            putSetting(db_, round_sql::kSaltKey, freshSalt());
        }
        checkSchema(readSetting(db_, round_sql::kSchemaKey));
        salt_ = readSetting(db_, round_sql::kSaltKey);
        execute("COMMIT");
    } catch (...) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

RoundStore::Added SqliteStore::add(const StoredRound& round)
{
    const std::lock_guard<std::mutex> lock(mutex_);
    execute("BEGIN IMMEDIATE");
    try {
        Added added;
        SqliteStatement insert(db_, round_sql::kInsert);
        round_sql::bindRound(insert, round);
        added.isNew = insert.step();
        if (added.isNew) {
            added.id = insert.integer(0);
            insert.step();
        } else {
            SqliteStatement existing(db_, round_sql::kIdOfBytes);
            existing.bind(round.sha256);
            existing.step();
            added.id = existing.integer(0);
        }
        execute("COMMIT");
        return added;
    } catch (...) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

RoundStore::Placing SqliteStore::placing(std::int64_t id)
{
    const std::lock_guard<std::mutex> lock(mutex_);
    SqliteStatement read(db_, round_sql::kPlacing);
    read.bind(id);
    read.step();
    return {read.integer(0) + 1, read.integer(1)};
}

std::vector<StoredRound> SqliteStore::ranking(std::int64_t offset, int limit)
{
    const std::lock_guard<std::mutex> lock(mutex_);
    SqliteStatement read(db_, round_sql::kRanking);
    read.bind(std::int64_t{limit}).bind(offset);
    std::vector<StoredRound> rounds;
    while (read.step())
        rounds.push_back(round_sql::roundFromRow(read, false));
    return rounds;
}

std::optional<StoredRound> SqliteStore::round(std::int64_t id, bool withReplay)
{
    const std::lock_guard<std::mutex> lock(mutex_);
    SqliteStatement read(db_, withReplay ? round_sql::kRoundWithReplay : round_sql::kRound);
    read.bind(id);
    if (!read.step())
        return std::nullopt;
    return round_sql::roundFromRow(read, withReplay);
}

std::int64_t SqliteStore::count()
{
    const std::lock_guard<std::mutex> lock(mutex_);
    SqliteStatement read(db_, round_sql::kCount);
    read.step();
    return read.integer(0);
}
