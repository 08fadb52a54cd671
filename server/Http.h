#pragma once

#include <boost/beast/http.hpp>

#include <cstddef>

// The server's messages: whole bodies in memory, as small as the limits keep them.
namespace http = boost::beast::http;
using Request = http::request<http::string_body>;
using RequestHeader = http::request_header<>;
using Response = http::response<http::string_body>;

namespace http_limits {
// A replay of a whole round is a few KiB; this is well beyond the longest the game writes.
inline constexpr std::size_t kMaxBody = 64 * 1024;
inline constexpr std::size_t kMaxHeader = 8 * 1024;
}  // namespace http_limits
