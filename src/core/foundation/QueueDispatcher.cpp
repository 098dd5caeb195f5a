#include "QueueDispatcher.h"

namespace fretkit {

void QueueDispatcher::post(std::function<void()> work) {
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(work));
    }
    posted_.notify_all();
}

std::size_t QueueDispatcher::pump() {
    std::deque<std::function<void()>> batch;
    {
        std::lock_guard lock(mutex_);
        batch.swap(queue_);
    }
    for (auto& work : batch) {
        if (work) {
            work();
        }
    }
    return batch.size();
}

bool QueueDispatcher::pumpUntil(const std::function<bool()>& done,
                                std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        {
            std::unique_lock lock(mutex_);
            if (!posted_.wait_until(lock, deadline, [this] { return !queue_.empty(); })) {
                return done();
            }
        }
        pump();
    }
    return true;
}

std::size_t QueueDispatcher::pendingCount() const {
    std::lock_guard lock(mutex_);
    return queue_.size();
}

} // namespace fretkit
