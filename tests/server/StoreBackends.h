#pragma once

#include "server/RoundStore.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// A database the storage tests run on. open() gives an empty store, or none where this
// run has no such database; reopen() opens the same database again.
struct StoreBackend {
    std::string name;
    std::function<std::unique_ptr<RoundStore>()> open;
    std::function<std::unique_ptr<RoundStore>()> reopen;
};

std::vector<StoreBackend> storeBackends();
