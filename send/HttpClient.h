#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>

// A plain HTTP/1.1 client for one request at a time, with a bound on how long each takes.
class HttpClient {
public:
    // The server could not be reached, or did not answer in time; the message says which.
    class Unreachable : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };

    struct Reply {
        int status = 0;
        std::string body;
        std::map<std::string, std::string> headers;
    };

    static constexpr std::chrono::seconds kDefaultTimeout{30};
    // The longest answer read: a page of the ranking is far smaller.
    static constexpr std::uint64_t kMaxReply = 16 * 1024 * 1024;

    HttpClient(std::string host, std::string port, std::chrono::seconds timeout = kDefaultTimeout)
        : host_(std::move(host)), port_(std::move(port)), timeout_(timeout) {}

    Reply get(const std::string& target) const { return request("GET", target, "", {}); }
    Reply post(const std::string& target, const std::string& body) const { return request("POST", target, body, {}); }
    // Any method, with extra header fields; the connection is closed after the answer.
    Reply request(const std::string& method, const std::string& target, const std::string& body,
                  const std::map<std::string, std::string>& fields) const;
    // The bytes sent as they are, and the answer's status and body: a request no client would write.
    Reply raw(const std::string& bytes) const;

private:
    std::string host_;
    std::string port_;
    std::chrono::seconds timeout_;
};
