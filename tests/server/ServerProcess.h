#pragma once

#include "send/HttpClient.h"

#include <string>
#include <sys/types.h>
#include <vector>

// A real tessaro-server on a free loopback port, for as long as the object lives.
class ServerProcess {
public:
    // Starts the server on `database` with the extra arguments and waits until it listens.
    explicit ServerProcess(const std::string& database, std::vector<std::string> arguments = {});
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    HttpClient client() const { return HttpClient("127.0.0.1", port_); }
    const std::string& port() const { return port_; }
    // Sends the signal and waits for the exit; the exit status, or 128 + the signal that ended it.
    int stop(int signal);
    // What the server wrote to standard error so far.
    std::string log() const;

private:
    pid_t pid_ = -1;
    std::string port_;
    std::string logPath_;
};
