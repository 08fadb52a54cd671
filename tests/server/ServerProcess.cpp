#include "tests/server/ServerProcess.h"

#include "platform/WholeFile.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kStartTimeoutMs = 10000;
constexpr std::string_view kListening = "listening on http://127.0.0.1:";

// The first line the server prints, within the start-up's bound.
std::string firstLine(int fd)
{
    std::string line;
    char c = 0;
    pollfd ready{fd, POLLIN, 0};
    while (line.find('\n') == std::string::npos && poll(&ready, 1, kStartTimeoutMs) == 1 && read(fd, &c, 1) == 1)
        line += c;
    return line;
}

std::string freshLogPath()
{
    static int started = 0;
    return (std::filesystem::temp_directory_path()
            / ("tessaro-server-" + std::to_string(getpid()) + "-" + std::to_string(++started) + ".log"))
        .string();
}

}  // namespace

ServerProcess::ServerProcess(const std::string& database, std::vector<std::string> arguments)
    : logPath_(freshLogPath())
{
    std::vector<std::string> words = {TESSARO_SERVER, "--listen", "127.0.0.1:0", "--database", database};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    int out[2];
    if (pipe(out) != 0)
        throw std::runtime_error("no pipe for the server's output");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, logPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int spawned = posix_spawn(&pid_, TESSARO_SERVER, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    const std::string line = spawned == 0 ? firstLine(out[0]) : std::string();
    close(out[0]);
    const std::size_t at = line.find(kListening);
    if (at == std::string::npos) {
        stop(SIGKILL);
        throw std::runtime_error("the server did not start: " + line + log());
    }
    port_ = line.substr(at + kListening.size(), line.find('/', at + kListening.size()) - at - kListening.size());
}

ServerProcess::~ServerProcess()
{
    stop(SIGKILL);
    std::filesystem::remove(logPath_);
}

int ServerProcess::stop(int signal)
{
    if (pid_ <= 0)
        return -1;
    kill(pid_, signal);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string ServerProcess::log() const
{
    std::string text;
    std::string why;
    readWholeFile(logPath_, text, why);
    return text;
}
