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

    // Runs body on a new real-time thread (a thread still running is stopped first).
    void start(std::function<void(DeviceThread&)> body);
    void stop();

    // For the body: sleeps until one more period has passed since the previous call (the
    // first call starts counting from now) and answers whether to go on.
    bool waitForNextCycle(std::chrono::duration<double> period);
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
