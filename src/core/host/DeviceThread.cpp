#include "DeviceThread.h"

#include "RealtimeThread.h"

namespace fretkit::host {

void DeviceThread::start(std::function<void(DeviceThread&)> body) {
    stop();
    {
        std::lock_guard lock(mutex_);
        stopRequested_ = false;
        paced_ = false;
    }
    thread_ = std::thread([this, body = std::move(body)] {
        makeCurrentThreadRealtime();
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

bool DeviceThread::waitForNextCycle(std::chrono::duration<double> period) {
    std::unique_lock lock(mutex_);
    if (!paced_) {
        deadline_ = std::chrono::steady_clock::now();
        paced_ = true;
    }
    deadline_ += std::chrono::duration_cast<std::chrono::steady_clock::duration>(period);
    wake_.wait_until(lock, deadline_, [this] { return stopRequested_; });
    return !stopRequested_;
}

bool DeviceThread::keepGoing() {
    std::lock_guard lock(mutex_);
    return !stopRequested_;
}

} // namespace fretkit::host
