#include "send/ServerAddress.h"

#include <algorithm>

std::optional<ServerAddress> ServerAddress::parse(const std::string& url)
{
    constexpr std::string_view kScheme = "http://";
    if (url.compare(0, kScheme.size(), kScheme) != 0)
        return std::nullopt;
    const std::string authority = url.substr(kScheme.size(), url.find('/', kScheme.size()) - kScheme.size());
    ServerAddress address;
    const std::size_t bracket = authority.rfind(']');
    const std::size_t colon = authority.rfind(':');
    const bool hasPort = colon != std::string::npos && (bracket == std::string::npos || colon > bracket);
    address.host = authority.substr(0, hasPort ? colon : std::string::npos);
    if (hasPort)
        address.port = authority.substr(colon + 1);
    if (address.host.size() >= 2 && address.host.front() == '[' && address.host.back() == ']')
        address.host = address.host.substr(1, address.host.size() - 2);
    const bool digits = !address.port.empty() && address.port.size() <= 5
                        && std::all_of(address.port.begin(), address.port.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (address.host.empty() || !digits || authority.find('@') != std::string::npos)
        return std::nullopt;
    return address;
}

std::string ServerAddress::origin() const
{
    const bool v6 = host.find(':') != std::string::npos;
    return "http://" + (v6 ? "[" + host + "]" : host) + ":" + port;
}
