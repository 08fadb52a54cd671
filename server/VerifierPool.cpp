#include "server/VerifierPool.h"

VerifierPool::VerifierPool(int threads, int queueLimit) : capacity_(static_cast<std::size_t>(threads + queueLimit))
{
    for (int i = 0; i < threads; ++i)
        threads_.emplace_back([this] { work(); });
}

VerifierPool::~VerifierPool()
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    ready_.notify_all();
    for (std::thread& thread : threads_)
        thread.join();
}

bool VerifierPool::submit(Job job)
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (inHand_ >= capacity_)
            return false;
        ++inHand_;
        queue_.push_back(std::move(job));
    }
    ready_.notify_one();
    return true;
}

void VerifierPool::work()
{
    // Built on its own thread: a verifier is as much as a round, and each thread plays its own.
    ReplayVerifier verifier;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        ready_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty())
            return;
        Job job = std::move(queue_.front());
        queue_.pop_front();
        lock.unlock();
        job(verifier);
        lock.lock();
        --inHand_;
    }
}
