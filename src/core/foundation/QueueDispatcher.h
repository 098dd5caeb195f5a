#pragma once

#include "MainThread.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace fretkit {

// A main-thread dispatcher for programs without an event loop: work posted from any thread
// waits in a queue until the owning thread pumps it.
class QueueDispatcher final : public MainThreadDispatcher {
public:
    void post(std::function<void()> work) override;

    // Runs the work queued so far (not work that it posts in turn); answers how many ran.
    std::size_t pump();

    // Pumps until `done` answers true or the timeout passes, sleeping while the queue is empty.
    // Answers `done()`.
    bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

    std::size_t pendingCount() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> queue_;
};

} // namespace fretkit
