#pragma once

#include <optional>
#include <string>

// Where a ranking server is: the host and port of an http:// URL.
struct ServerAddress {
    std::string host;
    std::string port = "80";

    // Nullopt for anything but http://HOST[:PORT][/...].
    static std::optional<ServerAddress> parse(const std::string& url);
    // "http://HOST:PORT", for printing links.
    std::string origin() const;
};
