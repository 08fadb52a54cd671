#include "server/RoundStore.h"

#include "base/WholeNumber.h"
#include "server/Sha256.h"

#include <random>

std::string RoundStore::freshSalt()
{
    constexpr int kRandomWords = 8;
    std::random_device device;
    std::string bytes;
    for (int i = 0; i < kRandomWords; ++i) {
        const std::uint32_t word = device();
        bytes.append(reinterpret_cast<const char*>(&word), sizeof word);
    }
    return Sha256::hexOf(bytes);
}

int RoundStore::checkSchema(const std::string& text)
{
    const std::optional<std::int64_t> found = wholeNumber(text);
    if (!found || *found < 1)
        throw Refused("the database's schema number \"" + text + "\" is not one any tessaro-server writes");
    if (*found > kSchemaVersion)
        throw Refused("the database holds schema " + std::to_string(*found) + ", newer than this server's "
                      + std::to_string(kSchemaVersion) + ": run the tessaro-server that wrote it, or a newer one");
    return static_cast<int>(*found);
}
