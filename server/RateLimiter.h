#pragma once

#include <chrono>
#include <deque>
#include <mutex>
#include <string>
#include <unordered_map>

// At most so many submissions from one sender in a sliding window.
class RateLimiter {
public:
    using Clock = std::chrono::steady_clock;
    // Senders remembered at most: a bound on memory whatever addresses come.
    static constexpr std::size_t kMaxSenders = 100000;

    RateLimiter(int perWindow, Clock::duration window) : perWindow_(perWindow), window_(window) {}

    // 0 when the sender may submit now, and the submission is counted; otherwise the
    // whole seconds until it may.
    int retryAfter(const std::string& sender, Clock::time_point now);

private:
    // Forgets senders with nothing left in the window, so that many senders cannot fill memory.
    void forgetQuiet(Clock::time_point now);

    int perWindow_;
    Clock::duration window_;
    std::mutex mutex_;
    std::unordered_map<std::string, std::deque<Clock::time_point>> sent_;
    Clock::time_point lastSweep_{};
};
