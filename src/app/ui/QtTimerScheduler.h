#pragma once

#include "foundation/TimerScheduler.h"

#include <memory>
#include <vector>

// Repeating timers on Qt's event loop, at millisecond precision, and the host's monotonic clock
// (the one the audio time stamps count in). A timer keeps firing until it is invalidated, even
// when its owner drops the handle.
class QtTimerScheduler final : public fretkit::TimerScheduler {
public:
    // The app's scheduler, made on first use on the main thread.
    static QtTimerScheduler& shared();

    double now() const override;
    std::shared_ptr<fretkit::RepeatingTimer>
    scheduleRepeating(double interval, std::function<void()> action) override;

private:
    class Timer;
    std::vector<std::shared_ptr<Timer>> timers_;
};
