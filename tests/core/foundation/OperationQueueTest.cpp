#include "foundation/OperationQueue.h"

#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <vector>

using fretkit::Operation;
using fretkit::OperationQueue;

namespace {

// Waits at its start until released, then records that it ran unless cancelled by then.
class GatedOperation final : public Operation {
public:
    GatedOperation(int id, std::vector<int>& log, std::mutex& mutex, std::condition_variable& cv,
                   bool& open)
        : id_(id), log_(log), mutex_(mutex), cv_(cv), open_(open) {}

    void main() override {
        std::unique_lock lock(mutex_);
        started = true;
        cv_.notify_all();
        cv_.wait(lock, [this] { return open_; });
        log_.push_back(isCancelled() ? -id_ : id_);
    }

    bool started = false; // under the mutex

private:
    int id_;
    std::vector<int>& log_;
    std::mutex& mutex_;
    std::condition_variable& cv_;
    bool& open_;
};

TEST(OperationQueueTest, CancellingReachesTheRunningOperationAndDropsTheQueuedOnes) {
    std::vector<int> log;
    std::mutex mutex;
    std::condition_variable cv;
    bool open = false;
    OperationQueue queue;
    auto first = std::make_shared<GatedOperation>(1, log, mutex, cv, open);
    queue.addOperation(first);
    queue.addOperation(std::make_shared<GatedOperation>(2, log, mutex, cv, open));
    {
        std::unique_lock lock(mutex);
        cv.wait(lock, [&] { return first->started; });
    }
    queue.cancelAllOperations();
    queue.addOperation(std::make_shared<GatedOperation>(3, log, mutex, cv, open));
    {
        std::lock_guard lock(mutex);
        open = true;
    }
    cv.notify_all();
    queue.waitUntilAllOperationsAreFinished();
    std::lock_guard lock(mutex);
    EXPECT_EQ(log, (std::vector<int>{-1, 3})) << "1 saw its cancel, 2 never ran, 3 ran";
}

TEST(OperationQueueTest, DestroyingTheQueueCancelsAndWaits) {
    std::vector<int> log;
    std::mutex mutex;
    std::condition_variable cv;
    bool open = false;
    auto running = std::make_shared<GatedOperation>(1, log, mutex, cv, open);
    {
        OperationQueue queue;
        queue.addOperation(running);
        {
            std::unique_lock lock(mutex);
            cv.wait(lock, [&] { return running->started; });
            open = true;
        }
        cv.notify_all();
    }
    EXPECT_EQ(log.size(), 1u) << "the running operation finished before the queue went";
}

} // namespace
