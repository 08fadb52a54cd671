#include "server/VerifierPool.h"

VerifierPool::VerifierPool(int threads, int queueLimit) : queueLimit_(static_cast<std::size_t>(queueLimit))
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
        if (queue_.size() >= queueLimit_ + static_cast<std::size_t>(idle_))
            return false;
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
        ++idle_;
        ready_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        --idle_;
        if (queue_.empty())
            return;
        Job job = std::move(queue_.front());
        queue_.pop_front();
        lock.unlock();
        job(verifier);
        lock.lock();
    }
}
