#include "DeviceThread.h"

#include "RealtimeThread.h"

namespace fretkit::host {

void DeviceThread::start(std::function<void(DeviceThread&)> body, bool realTime) {
    stop();
    {
        std::lock_guard lock(mutex_);
        stopRequested_ = false;
        paced_ = false;
    }
    thread_ = std::thread([this, realTime, body = std::move(body)] {
        if (realTime) {
            makeCurrentThreadRealtime();
        }
        body(*this);
    });
}

void DeviceThread::stop() {
    {
        std::lock_guard lock(mutex_);
        stopRequested_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

bool DeviceThread::waitForNextCycle(std::chrono::duration<double> period, bool* late) {
    const auto step = std::chrono::duration_cast<std::chrono::steady_clock::duration>(period);
    const auto now = std::chrono::steady_clock::now();
    std::unique_lock lock(mutex_);
    if (!paced_) {
        deadline_ = now;
        paced_ = true;
    }
    deadline_ += step;
    const bool behind = now > deadline_ + step;
    if (behind) {
        deadline_ = now;
    }
    if (late != nullptr) {
        *late = behind;
    }
    wake_.wait_until(lock, deadline_, [this] { return stopRequested_; });
    return !stopRequested_;
}

bool DeviceThread::keepGoing() {
    std::lock_guard lock(mutex_);
    return !stopRequested_;
}

} // namespace fretkit::host
