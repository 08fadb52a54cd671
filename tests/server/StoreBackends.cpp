#include "tests/server/StoreBackends.h"

#include "server/SqliteStore.h"

#include <filesystem>
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

}  // namespace

std::vector<StoreBackend> storeBackends()
{
    return {{"SQLite", freshSqlite, [] { return std::make_unique<SqliteStore>(sqlitePath()); }}};
}
