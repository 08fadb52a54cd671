#include "tests/server/StoreBackends.h"

#include "server/PostgresStore.h"
#include "server/SqliteStore.h"

#include <pqxx/pqxx>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

namespace {

std::string sqlitePath()
{
    return (std::filesystem::temp_directory_path() / ("tessaro-store-" + std::to_string(getpid()) + ".sqlite")).string();
}

std::string freshSqlite()
{
    const std::string path = sqlitePath();
    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(path + suffix);
    return path;
}

void executeOnSqlite(const std::string& sql)
{
    sqlite3* db = nullptr;
    const bool opened = sqlite3_open(sqlitePath().c_str(), &db) == SQLITE_OK;
    const bool ran = opened && sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    const std::string why = db ? sqlite3_errmsg(db) : "out of memory";
    sqlite3_close(db);
    if (!ran)
        throw std::runtime_error("SQLite: " + why);
}

std::string freshPostgres()
{
    if (testPostgres().empty())
        return {};
    // Quietly: the tables are missing from a new database.
    executeOnPostgres("SET client_min_messages = warning; DROP TABLE IF EXISTS rounds, settings");
    return testPostgres();
}

}  // namespace

std::string testPostgres()
{
    const char* address = std::getenv("TESSARO_TEST_POSTGRES");
    return address ? address : "";
}

void executeOnPostgres(const std::string& sql)
{
    pqxx::connection connection(testPostgres());
    pqxx::work work(connection);
    work.exec(sql);
    work.commit();
}

std::vector<StoreBackend> storeBackends()
{
    return {{"SQLite", freshSqlite, [] { return std::make_unique<SqliteStore>(sqlitePath()); }, executeOnSqlite},
            {"PostgreSQL", freshPostgres, [] { return std::make_unique<PostgresStore>(testPostgres()); },
             executeOnPostgres}};
}
