#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace fretkit::host {

// The thread of a device without hardware: runs a body that cycles until asked to stop, paced
// by the clock or as fast as it goes. stop() wakes a sleeping body at once and waits for it.
class DeviceThread {
public:
    ~DeviceThread() { stop(); }

    // Runs body on a new thread, a real-time one when `realTime` (a thread still running is
    // stopped first).
    void start(std::function<void(DeviceThread&)> body, bool realTime = true);
    void stop();

    // For the body: sleeps until one more period has passed since the previous call (the
    // first call starts counting from now) and answers whether to go on. A body that fell more
    // than a whole period behind does not rush to catch up, as a sound card would not: the
    // count starts again from now and `late`, when given, is set.
    bool waitForNextCycle(std::chrono::duration<double> period, bool* late = nullptr);
    // For the body: answers whether to go on, without sleeping.
    bool keepGoing();

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopRequested_ = false;
    bool paced_ = false;
    std::chrono::steady_clock::time_point deadline_;
    std::thread thread_;
};

} // namespace fretkit::host
