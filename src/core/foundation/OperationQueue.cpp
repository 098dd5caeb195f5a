#include "OperationQueue.h"

namespace fretkit {

OperationQueue::~OperationQueue() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    cancelAllOperations();
    changed_.notify_all();
    if (worker_.joinable()) {
        worker_.join();
    }
}

void OperationQueue::addOperation(std::shared_ptr<Operation> operation) {
    std::lock_guard lock(mutex_);
    queued_.push_back(std::move(operation));
    if (!worker_.joinable()) {
        worker_ = std::thread([this] { run(); });
    }
    changed_.notify_all();
}

void OperationQueue::cancelAllOperations() {
    std::deque<std::shared_ptr<Operation>> dropped;
    {
        std::lock_guard lock(mutex_);
        dropped.swap(queued_);
        if (running_) {
            running_->cancel();
        }
    }
    for (const auto& operation : dropped) {
        operation->cancel();
    }
    changed_.notify_all();
}

void OperationQueue::waitUntilAllOperationsAreFinished() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return queued_.empty() && !running_; });
}

void OperationQueue::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !queued_.empty(); });
        if (queued_.empty()) {
            return; // stopping with nothing left
        }
        running_ = std::move(queued_.front());
        queued_.pop_front();
        std::shared_ptr<Operation> operation = running_;
        lock.unlock();
        if (!operation->isCancelled()) {
            operation->main();
        }
        operation.reset();
        lock.lock();
        running_.reset();
        changed_.notify_all();
    }
}

} // namespace fretkit
