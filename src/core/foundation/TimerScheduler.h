#pragma once

#include <functional>
#include <memory>

namespace fretkit {

// A repeating timer on the main thread; invalidating it stops its firing for good.
class RepeatingTimer {
public:
    virtual ~RepeatingTimer() = default;
    virtual void invalidate() = 0;
    virtual bool isValid() const = 0;
};

// Schedules repeating timers on the main thread's loop: Qt's timers in the app, a clock the
// caller advances in the command-line tool and the tests. It also tells the time on the clock
// its timers follow, so that what a timer animates can be computed from the same clock.
class TimerScheduler {
public:
    virtual ~TimerScheduler() = default;
    // Seconds on the scheduler's clock.
    virtual double now() const = 0;
    // The first firing comes one interval (seconds) from now.
    virtual std::shared_ptr<RepeatingTimer> scheduleRepeating(double interval,
                                                              std::function<void()> action) = 0;
};

} // namespace fretkit
