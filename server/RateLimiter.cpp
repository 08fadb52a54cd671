#include "server/RateLimiter.h"

#include <iterator>

int RateLimiter::retryAfter(const std::string& sender, Clock::time_point now)
{
    const std::lock_guard<std::mutex> lock(mutex_);
    if (now - lastSweep_ >= window_ || sent_.size() >= kMaxSenders)
        forgetQuiet(now);
    // Too many senders at once to tell apart: everyone new waits for the window to pass.
    if (sent_.size() >= kMaxSenders && sent_.count(sender) == 0)
        return static_cast<int>(std::chrono::ceil<std::chrono::seconds>(window_).count());
    std::deque<Clock::time_point>& times = sent_[sender];
    while (!times.empty() && now - times.front() >= window_)
        times.pop_front();
    if (static_cast<int>(times.size()) < perWindow_) {
        times.push_back(now);
        return 0;
    }
    const auto wait = std::chrono::ceil<std::chrono::seconds>(times.front() + window_ - now);
    return static_cast<int>(wait.count() > 0 ? wait.count() : 1);
}

void RateLimiter::forgetQuiet(Clock::time_point now)
{
    lastSweep_ = now;
    for (auto it = sent_.begin(); it != sent_.end();)
        it = (it->second.empty() || now - it->second.back() >= window_) ? sent_.erase(it) : std::next(it);
}
