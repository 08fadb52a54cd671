#pragma once

#include "server/RoundStore.h"

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// A database the tests run on. fresh() empties it and gives what tessaro-server's
// --database takes for it, or "" where this run has no such database; open() opens it,
// and execute() runs a statement on it as another program would.
struct StoreBackend {
    std::string name;
    std::function<std::string()> fresh;
    std::function<std::unique_ptr<RoundStore>()> open;
    std::function<void(const std::string& sql)> execute;
};

std::vector<StoreBackend> storeBackends();

// Test names and messages show the backend's name, not its bytes.
inline void PrintTo(const StoreBackend& backend, std::ostream* out) { *out << backend.name; }

// The PostgreSQL this run may use, from TESSARO_TEST_POSTGRES: a postgresql:// URL, as
// tessaro-server takes one, or "" where this run has none.
std::string testPostgres();
// Runs a statement there, on a connection of its own.
void executeOnPostgres(const std::string& sql);
