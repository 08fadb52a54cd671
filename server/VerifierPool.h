#pragma once

#include "verify/ReplayVerifier.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Plays submitted rounds again beside the network code: a fixed set of threads, each
// with a verifier of its own, and a bounded queue in front of them.
class VerifierPool {
public:
    using Job = std::function<void(ReplayVerifier&)>;

    VerifierPool(int threads, int queueLimit);
    // Finishes every job taken, then stops the threads.
    ~VerifierPool();
    VerifierPool(const VerifierPool&) = delete;
    VerifierPool& operator=(const VerifierPool&) = delete;

    // False, and the job is not taken, when every verifier is busy and the queue is full.
    bool submit(Job job);

private:
    void work();

    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Job> queue_;
    // Jobs queued or being played, and how many may be.
    std::size_t inHand_ = 0;
    std::size_t capacity_;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};
