#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

namespace fretkit {

// A unit of background work that may be cancelled: main() checks isCancelled() at the points
// where it can stop cleanly.
class Operation {
public:
    virtual ~Operation() = default;
    virtual void main() = 0;

    void cancel() { cancelled_.store(true, std::memory_order_release); }
    bool isCancelled() const { return cancelled_.load(std::memory_order_acquire); }

private:
    std::atomic<bool> cancelled_{false};
};

// Runs operations one after another on a worker thread of its own, started with the first
// operation. Destroying the queue cancels what is queued or running and waits for it.
class OperationQueue {
public:
    OperationQueue() = default;
    ~OperationQueue();
    OperationQueue(const OperationQueue&) = delete;
    OperationQueue& operator=(const OperationQueue&) = delete;

    void addOperation(std::shared_ptr<Operation> operation);
    // Cancels the running operation and every queued one; queued ones never start.
    void cancelAllOperations();
    // Blocks until nothing is queued or running.
    void waitUntilAllOperationsAreFinished();

private:
    void run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::shared_ptr<Operation>> queued_;
    std::shared_ptr<Operation> running_;
    bool stopping_ = false;
    std::thread worker_;
};

} // namespace fretkit
