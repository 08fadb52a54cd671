#include "replay/RoundAddress.h"

#include "base/WholeNumber.h"

namespace {

constexpr std::string_view kPage = "/rounds/";
constexpr std::string_view kInterface = "/api";
constexpr std::string_view kReplaySuffix = "/replay";

}  // namespace

std::optional<RoundAddress> RoundAddress::parse(std::string_view path)
{
    RoundAddress address;
    if (path.starts_with(kInterface)) {
        path.remove_prefix(kInterface.size());
        address.kind = path.ends_with(kReplaySuffix) ? Kind::Replay : Kind::Details;
        if (address.kind == Kind::Replay)
            path.remove_suffix(kReplaySuffix.size());
    }
    if (!path.starts_with(kPage))
        return std::nullopt;
    const std::optional<std::int64_t> id = wholeNumber(path.substr(kPage.size()));
    if (!id)
        return std::nullopt;
    address.id = *id;
    return address;
}

std::string RoundAddress::path() const
{
    const std::string page = std::string(kPage) + std::to_string(id);
    switch (kind) {
    case Kind::Page: return page;
    case Kind::Details: return std::string(kInterface) + page;
    case Kind::Replay: return std::string(kInterface) + page + std::string(kReplaySuffix);
    }
    return page;
}
